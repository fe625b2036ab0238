// Writes the program's warning sound: two short bell strokes, a high one and a
// lower one, as a 16-bit mono PCM WAV file.
//   build/bin/make_sound resources/BELLS.WAV

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

// One bell stroke: a fundamental with two inharmonic partials, each decaying
// on its own, with a few milliseconds of attack so the start does not click.
void AddStroke(std::vector<double>& out, double start, double length, double pitch, double level) {
    const struct { double ratio, gain, decay; } partials[] = {
        {1.0, 1.0, 9.0}, {2.76, 0.45, 16.0}, {5.40, 0.20, 26.0}};
    const int first = static_cast<int>(start * kRate);
    const int count = static_cast<int>(length * kRate);
    for (int i = 0; i < count && first + i < static_cast<int>(out.size()); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double attack = std::min(1.0, t / 0.004);
        // The tail fades to zero over the last 20 ms, wherever the decay stands.
        const double release = std::min(1.0, (length - t) / 0.02);
        double v = 0;
        for (const auto& p : partials)
            v += p.gain * std::exp(-p.decay * t) * std::sin(2 * kPi * pitch * p.ratio * t);
        out[first + i] += level * attack * release * v;
    }
}

void PutLE(std::ofstream& f, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) f.put(static_cast<char>((v >> (8 * i)) & 0xFF));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.WAV\n", argv[0]);
        return 2;
    }
    const double total = 0.42;
    std::vector<double> mix(static_cast<size_t>(total * kRate), 0.0);
    AddStroke(mix, 0.00, 0.22, 1318.5, 0.55); // E6
    AddStroke(mix, 0.14, 0.28, 987.8, 0.55);  // B5

    double peak = 0;
    for (double v : mix) peak = std::max(peak, std::abs(v));
    const double gain = peak > 0 ? 0.8 / peak : 0;

    std::ofstream f(argv[1], std::ios::binary);
    if (!f) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    const uint32_t dataBytes = static_cast<uint32_t>(mix.size() * 2);
    f.write("RIFF", 4);
    PutLE(f, 36 + dataBytes, 4);
    f.write("WAVEfmt ", 8);
    PutLE(f, 16, 4);          // fmt chunk size
    PutLE(f, 1, 2);           // PCM
    PutLE(f, 1, 2);           // mono
    PutLE(f, kRate, 4);
    PutLE(f, kRate * 2, 4);   // bytes per second
    PutLE(f, 2, 2);           // block align
    PutLE(f, 16, 2);          // bits per sample
    f.write("data", 4);
    PutLE(f, dataBytes, 4);
    for (double v : mix) {
        const long s = std::lround(v * gain * 32767.0);
        PutLE(f, static_cast<uint16_t>(static_cast<int16_t>(std::max(-32768L, std::min(32767L, s)))), 2);
    }
    return f.good() ? 0 : 1;
}
