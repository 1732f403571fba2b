// Uptime Kuma status page and heartbeat documents: the input is split at its first NUL byte
// into the page and the heartbeats, so that both parsers and the evaluation (whole and narrowed to the
// monitors it lists) see it.
#include "providers/uptimekuma/uptimekumaprovider.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = FuzzSupport::bytes(data, size);
    const qsizetype split = input.indexOf('\0');
    const QByteArray page = split < 0 ? input : input.left(split);
    const QByteArray beats = split < 0 ? input : input.mid(split + 1);
    const Decoded<UptimeKumaProvider::Page> decodedPage = UptimeKumaProvider::decodePage(page);
    const Decoded<UptimeKumaProvider::Heartbeats> decodedBeats = UptimeKumaProvider::decodeHeartbeats(beats);
    if (!decodedPage.value)
        return 0;
    const UptimeKumaProvider::Heartbeats heartbeats = decodedBeats.value.value_or(UptimeKumaProvider::Heartbeats());
    (void)UptimeKumaProvider::evaluate(FuzzSupport::service(ProviderKind::UptimeKuma), *decodedPage.value, heartbeats,
                                       FuzzSupport::checkTime());
    const Service narrowed = FuzzSupport::narrowed(ProviderKind::UptimeKuma,
                                                   UptimeKumaProvider::components(*decodedPage.value));
    (void)UptimeKumaProvider::evaluate(narrowed, *decodedPage.value, heartbeats, FuzzSupport::checkTime());
    return 0;
}
