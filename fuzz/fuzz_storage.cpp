// libFuzzer target for the group-file and account-file readers: any input must either load or be
// refused, quickly and without touching memory it should not.

#include "model/AccountFile.h"
#include "model/VemoGroup.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    CVemoGroup group;
    if (group.LoadFromBytes(bytes))
    {
        const QByteArray saved = group.SaveToBytes();
        CVemoGroup reloaded;
        if (!reloaded.LoadFromBytes(saved) || reloaded.SaveToBytes() != saved)
            __builtin_trap();
    }

    QString storedPath;
    CAccountFile::FromBytes(bytes, storedPath);
    return 0;
}
