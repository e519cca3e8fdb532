/* BuildFileList on any CopyFiles value and buffer: the list stays inside it, holds
   the returned count, and loses no name in FileListBytesNeeded bytes. */
#include "fuzz_input.h"
#include "setupinfo/file_list_logic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    size_t capacity = data[0] % 2 ? 1025 : data[0] / 2, at = 0;
    Block value = Text(data + 1, size - 1 > 1023 ? 1023 : size - 1), list(capacity ? capacity : 1);
    int count = BuildFileList(value.data(), list.data(), capacity), names = 0;
    size_t needed = FileListBytesNeeded(value.data());
    EXPECT(needed <= value.size() + 1);
    for (; capacity && list[at]; ++names)
        EXPECT((at += strlen(&list[at]) + 1) < capacity);
    EXPECT(names == count && (capacity < needed || at + 1 == needed));
    return 0;
}
