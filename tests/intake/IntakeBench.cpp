// Cost of reading one Decode datagram, the work done for every datagram WSJT-X sends.
#include <benchmark/benchmark.h>

#include "WsjtxDatagram.h"
#include "intake/DatagramEvent.h"
#include "intake/DecodeRow.h"

namespace {

void BM_ReadHeaderAndDecode(benchmark::State& state) {
    const auto datagram = DecodeDatagram();
    for (auto _ : state) {
        WsjtxHeader header;
        WsjtxDecode decode;
        benchmark::DoNotOptimize(datagram.data());
        const bool ok =
            ReadHeader(datagram.data(), datagram.size(), header) &&
            ReadDecode(datagram.data() + kWsjtxHeaderSize, datagram.size() - kWsjtxHeaderSize, decode);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(decode);
    }
}
BENCHMARK(BM_ReadHeaderAndDecode);

void BM_ClassifyDatagram(benchmark::State& state) {
    const auto datagram = DecodeDatagram();
    for (auto _ : state) {
        benchmark::DoNotOptimize(datagram.data());
        DatagramEvent event = ClassifyDatagram(datagram.data(), datagram.size());
        benchmark::DoNotOptimize(event);
    }
}
BENCHMARK(BM_ClassifyDatagram);

void BM_MakeDecodeRow(benchmark::State& state) {
    const auto datagram = DecodeDatagram();
    const DatagramEvent event = ClassifyDatagram(datagram.data(), datagram.size());
    for (auto _ : state) {
        DecodeRow row = MakeDecodeRow(event.decode);
        benchmark::DoNotOptimize(row);
    }
}
BENCHMARK(BM_MakeDecodeRow);

} // namespace
