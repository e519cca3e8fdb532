/* PortIconName on any text reads up to its NUL and names a port icon. */
#include "fuzz_input.h"
#include "ui/icon_rule_logic.h"
#include "ui/resources/resource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const char *icon = PortIconName(Text(data, size).data());
    EXPECT(!strcmp(icon, IDI_SETUP) || !strcmp(icon, IDI_PORT) || !strcmp(icon, IDI_NETWORK));
    return 0;
}
