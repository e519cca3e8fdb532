/* The input in blocks of exactly its size, so that AddressSanitizer sees a
   read past it, and the check that ends the run with a finding. */
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>

#define EXPECT(condition) do { if (!(condition)) abort(); } while (0)
typedef std::vector<char> Block;

/* The bytes as they are (one byte when there are none). */
static inline Block Bytes(const uint8_t *data, size_t size) { return size ? Block(data, data + size) : Block(1); }

/* The bytes up to the first NUL, NUL-ended. */
static inline Block Text(const uint8_t *data, size_t size)
{
    Block text(strnlen((const char *)data, size) + 1);
    memcpy(text.data(), data, text.size() - 1);
    return text;
}
