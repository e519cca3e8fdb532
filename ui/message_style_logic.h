/*
 * How a message dialog's style value, numbered like the platform's
 * message-box styles, chooses its template and icon. No window needed.
 */
#ifndef SETUP_MESSAGE_STYLE_LOGIC_H
#define SETUP_MESSAGE_STYLE_LOGIC_H

/* Template name by style & 0xF: OK/Cancel (1), Yes/No/Cancel (3), Yes/No (4),
   Retry/Cancel (5); every other value the OK-only template. */
const char *MessageTemplateName(unsigned style);

/* Number of the platform's own icon by style & 0xF0: hand (0x10), question
   (0x20), exclamation (0x30), asterisk (0x40); every other value the
   application icon. */
unsigned MessageIconNumber(unsigned style);

#endif
