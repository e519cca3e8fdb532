/* The copy's paths on any bytes stay inside their buffers; a built path is
   directory ... name suffix, a refused one empty. */
#include "fuzz_input.h"
#include "install/compressed_name_logic.h"
#include "install/dest_path_logic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    size_t rest = size - 3;
    Block list = Bytes(data + 3, rest), directory = Text(data + 3, rest), out(data[1] ? data[1] : 1, 'x');
    const char *name = FileListName(list.data(), rest, data[0] % 8 - 1);
    EXPECT(!name || (name[0] && memchr(name, '\0', rest - (size_t)(name - list.data()))));
    /* The file name: the bytes after the directory's NUL. */
    size_t skip = directory.size() < rest ? directory.size() : rest;
    Block file = Text(data + 3 + skip, rest - skip);
    IsBareFileName(file.data());
    size_t kept = file.size() > 1 ? file.size() - 2 : 0;   /* all but the last character */
    if (CompressedFileName(file.data(), out.data(), out.size()))
        EXPECT(!strncmp(out.data(), file.data(), kept) && strlen(out.data()) - strlen(file.data()) <= 2);
    IsUsableDriverDirectory(directory.data());
    if (BuildDestinationPath(out.data(), data[1], directory.data(), data[2] % 5 - 1, file.data(), "~new")) {
        std::string built = out.data(), tail = std::string(file.data()) + "~new";
        EXPECT(built.size() < data[1] && !built.compare(0, directory.size() - 1, directory.data()));
        EXPECT(built.size() >= tail.size() && !built.compare(built.size() - tail.size(), tail.size(), tail));
    } else {
        EXPECT(!data[1] || !out[0]);
    }
    return 0;
}
