// libFuzzer target for vemo-cli's JSON reader: any input must either become an account or be
// refused with a reason, and an account read must write back to JSON that reads the same.

#include "cli/AccountJson.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

namespace
{
QByteArray Written(const CAccountSnapshot& account)
{
    QByteArray json;
    QBuffer buffer(&json);
    buffer.open(QIODevice::WriteOnly);
    if (!CAccountJson::WriteJson(account, buffer))
        __builtin_trap();
    return json;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray json(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    CAccountSnapshot account;
    QString error;
    if (!CAccountJson::FromJson(json, account, error))
    {
        if (error.isEmpty())
            __builtin_trap();
        return 0;
    }
    const QByteArray written = Written(account);
    CAccountSnapshot again;
    if (!CAccountJson::FromJson(written, again, error) || Written(again) != written)
        __builtin_trap();
    return 0;
}
