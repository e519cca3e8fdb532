/* pkgcheck's rules on any bytes: ReadLzHeader's classes and recorded size,
   IsWholeExpansion at that size, ListHasFileName finding every whole name,
   IsQuotedModelKey by the wizard's own model keys, and the classes of an
   INF's text. */
#include "fuzz_input.h"
#include "install/lz_header_logic.h"
#include "pkgcheck/package_rules_logic.h"
#include "setupinfo/model_key_logic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Block bytes = Bytes(data, size), key = Text(data, size);
    unsigned long recorded = 1;
    int kind = ReadLzHeader((const unsigned char *)bytes.data(), size, &recorded);
    EXPECT(kind >= LZ_PLAIN && kind <= LZ_SHORT_HEADER && (kind == LZ_COMPRESSED || recorded == 0));
    EXPECT(kind != LZ_COMPRESSED || (size >= LZ_HEADER_SIZE && bytes[8] == 'A'));
    EXPECT(size < 4 || !memcmp(bytes.data(), "SZDD", 4) || kind == LZ_PLAIN);
    const unsigned char *start = (const unsigned char *)bytes.data();
    EXPECT(IsWholeExpansion(start, size, recorded) == (kind != LZ_SHORT_HEADER));
    EXPECT(kind != LZ_COMPRESSED || !IsWholeExpansion(start, size, recorded + 1));
    for (const char *at = bytes.data(), *end; at < bytes.data() + size && *at; at = end + 1) {
        if (!(end = (const char *)memchr(at, '\0', size - (size_t)(at - bytes.data()))))
            break;
        EXPECT(ListHasFileName(bytes.data(), size, at));
    }
    int text = ClassifyInfText((const unsigned char *)bytes.data(), size), high = 0;
    for (size_t i = 0; i < size; i++)
        high |= data[i] >= 0x80;
    EXPECT(text >= INF_TEXT_ASCII && text <= INF_TEXT_UTF16 && (text == INF_TEXT_ASCII) == !high);
    /* Quoted exactly when the wizard finds the key from the name the list shows. */
    Block shown(key.size() + 1), again(key.size() + 1);
    EXPECT(IsQuotedModelKey(key.data()) == (StripModelKey(key.data(), shown.data(), shown.size())
           && FormModelKey(shown.data(), again.data(), again.size()) && !strcmp(again.data(), key.data())));
    return 0;
}
