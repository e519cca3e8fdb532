/* StripModelKey and FormModelKey on any key and buffer: nothing written past it,
   a stripped name quotes back to the key, a refusal leaves it untouched. */
#include "fuzz_input.h"
#include "setupinfo/model_key_logic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    size_t capacity = data[0] * 9;
    Block key = Text(data + 1, size - 1), name(capacity ? capacity : 1, 'x'), formed(capacity ? capacity : 1, 'x');
    size_t length = key.size() - 1;
    int stripped = StripModelKey(key.data(), name.data(), capacity);
    EXPECT(!stripped ? name[0] == 'x' : length >= 2 && length < capacity && strlen(name.data()) == length - 2
           && !memcmp(name.data(), &key[1], length - 2) && FormModelKey(name.data(), formed.data(), capacity)
           && strlen(formed.data()) == length);
    formed[0] = 'x';
    int quoted = FormModelKey(key.data(), formed.data(), capacity);
    EXPECT(quoted ? strlen(formed.data()) == length + 2 && formed[0] == '"' && formed[length + 1] == '"'
                  : formed[0] == (capacity ? '\0' : 'x'));
    return 0;
}
