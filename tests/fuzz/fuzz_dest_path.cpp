/* The copy's paths and the INF's path on any bytes, in a single-byte code
   page or a double-byte one, stay inside their buffers (a lead byte before
   the NUL included); a built path is directory ... name suffix, a refused
   one empty. */
#include "fuzz_input.h"
#include "install/compressed_name_logic.h"
#include "install/dest_path_logic.h"
#include "setupinfo/inf_path_logic.h"

/* Lead bytes as in code page 932. */
static int DoubleByteLead(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    size_t rest = size - 3;
    LeadByteRule rule = data[2] & 8 ? DoubleByteLead : NoLeadBytes;
    Block list = Bytes(data + 3, rest), directory = Text(data + 3, rest), out(data[1] ? data[1] : 1, 'x');
    const char *name = FileListName(list.data(), rest, data[0] % 8 - 1);
    EXPECT(!name || (name[0] && memchr(name, '\0', rest - (size_t)(name - list.data()))));
    /* The file name: the bytes after the directory's NUL. */
    size_t skip = directory.size() < rest ? directory.size() : rest;
    Block file = Text(data + 3 + skip, rest - skip);
    IsBareFileName(file.data(), rule);
    size_t kept = file.size() > 1 ? file.size() - 2 : 0;   /* all but the last character */
    if (CompressedFileName(file.data(), out.data(), out.size()))
        EXPECT(!strncmp(out.data(), file.data(), kept) && strlen(out.data()) - strlen(file.data()) <= 2);
    IsUsableDriverDirectory(directory.data(), rule);
    BuildInfPath(directory.data(), file.data(), out.data(), out.size(), rule);
    EXPECT(strlen(out.data()) < out.size());
    if (BuildDestinationPath(out.data(), data[1], directory.data(), data[2] % 5 - 1, file.data(), "~new", rule)) {
        std::string built = out.data(), tail = std::string(file.data()) + "~new";
        EXPECT(built.size() < data[1] && !built.compare(0, directory.size() - 1, directory.data()));
        EXPECT(built.size() >= tail.size() && !built.compare(built.size() - tail.size(), tail.size(), tail));
    } else {
        EXPECT(!data[1] || !out[0]);
    }
    return 0;
}
