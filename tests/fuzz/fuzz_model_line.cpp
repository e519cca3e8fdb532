/* TakeField and the key list walk on any bytes: fields are non-empty, hold no
   comma and stay in the line; list names stay in their buffer. */
#include "fuzz_input.h"
#include "setupinfo/model_line_logic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Block line = Text(data, size), list = Bytes(data, size);
    char *cursor = line.data(), *field, *end = line.data() + line.size() - 1;
    while ((field = TakeField(&cursor)) != NULL)
        EXPECT(field >= line.data() && field < end && *field && !strchr(field, ','));
    EXPECT(!*cursor);
    unsigned count = CountListNames(list.data(), size);
    for (unsigned i = 0; i <= count; i++) {
        const char *name = ListNameAt(list.data(), size, i);
        EXPECT(!name || (i < count && name >= list.data() && name < list.data() + size && *name));
    }
    return 0;
}
