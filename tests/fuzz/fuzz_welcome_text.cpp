/* SupportedSystemText gives a text, naming its editions, only for the two
   known environments, and reads up to the NUL. */
#include "fuzz_input.h"
#include "ui/welcome_text_logic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Block name = Text(data, size);
    const char *text = SupportedSystemText(name.data());
    int x86 = !strcmp(name.data(), "Windows NT x86"), x64 = !strcmp(name.data(), "Windows x64");
    EXPECT((text != NULL) == (x86 || x64));
    EXPECT(!text || strstr(text, x86 ? "Ultimate x86\r\n\r\n" : "Ultimate x64\r\n\r\n"));
    return 0;
}
