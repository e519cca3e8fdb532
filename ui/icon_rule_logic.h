/*
 * Which icon group a list item shows. No window needed.
 */
#ifndef SETUP_ICON_RULE_LOGIC_H
#define SETUP_ICON_RULE_LOGIC_H

/* IDI_SETUP for "FILE:" in any case; IDI_PORT when the text begins with
   exactly "LPT" or "COM" in upper case; IDI_NETWORK for anything else. */
const char *PortIconName(const char *text);

/* IDI_PRINTER for every model. */
const char *ModelIconName(const char *text);

#endif
