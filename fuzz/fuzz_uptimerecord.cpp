// uptime.json as a previous run, another version or a damaged disk left it.
#include "monitor/uptimerecord.h"

#include "fuzzsupport.h"

namespace {

// Whether the record survives a write and the next read unchanged, and the written form
// stays within a small multiple of the bytes read (nothing read grows without bound).
bool keptByAWrite(const QHash<QUuid, UptimeRecord::Series> &record, qsizetype readSize)
{
    const QByteArray written = UptimeRecord::encode(record);
    if (written.size() > 2 * readSize + 128)
        return false;
    const UptimeRecord::Decoded again = UptimeRecord::decode(written);
    return again.found == UptimeRecord::Found::Record && again.record == record;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = FuzzSupport::bytes(data, size);
    const UptimeRecord::Decoded decoded = UptimeRecord::decode(bytes);
    if (decoded.found != UptimeRecord::Found::Record) {
        if (!decoded.record.isEmpty())
            __builtin_trap();
        return 0;
    }
    if (!keptByAWrite(decoded.record, bytes.size()))
        __builtin_trap();

    // What a read keeps: at most the 90 days up to the clock's hour, checked hours at both
    // ends, the first check inside the first hour; and that too survives the next write.
    const QDateTime now = FuzzSupport::checkTime();
    QHash<QUuid, UptimeRecord::Series> kept;
    for (auto it = decoded.record.constBegin(); it != decoded.record.constEnd(); ++it) {
        UptimeRecord::Series series = *it;
        series.trim(now);
        if (series.hours.isEmpty())
            continue;
        const QDateTime first = QDateTime::fromSecsSinceEpoch(series.firstHour * 3600, Qt::UTC);
        const QDateTime end = first.addSecs(qint64(series.hours.size()) * 3600);
        // (the check time is on the hour)
        if (series.hours.size() > UptimeRecord::keptFor.count() || end > now.addSecs(3600)
            || series.hours.constFirst().checks == 0 || series.hours.constLast().checks == 0 || series.since < first
            || series.since >= first.addSecs(3600))
            __builtin_trap();
        // the shares a view asks for are shares
        for (const int days : operationalWindows) {
            const std::optional<double> share = series.share(now.addDays(-days), now);
            if (share && !(*share >= 0.0 && *share <= 1.0))
                __builtin_trap();
        }
        kept.insert(it.key(), std::move(series));
    }
    if (!keptByAWrite(kept, bytes.size()))
        __builtin_trap();
    return 0;
}
