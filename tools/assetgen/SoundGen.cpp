// Synthesizes the game's sound effects and music loops as 16-bit mono WAV files.
//
// usage: SoundGen OUTPUT_DIR    (make-sounds encodes the music loops to Ogg Vorbis afterwards)
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

using Samples = std::vector<double>;

// A fixed-seed generator, so every run writes the same bytes.
struct Noise {
    std::uint32_t state = 0x2545F491u;
    double Next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<double>(state) / 2147483648.0 - 1.0;
    }
};

int Count(double seconds) { return static_cast<int>(seconds * kRate); }

double Square(double phase, double duty = 0.5) { return std::fmod(phase, 1.0) < duty ? 1.0 : -1.0; }
double Triangle(double phase) { return 4.0 * std::fabs(std::fmod(phase, 1.0) - 0.5) - 1.0; }

// Attack and release in seconds; linear, which is all a chip would do.
double Envelope(double t, double length, double attack, double release) {
    if (t < attack) return t / attack;
    if (t > length - release) return std::max(0.0, (length - t) / release);
    return 1.0;
}

// A tone sliding from one frequency to another, with an optional vibrato.
Samples Sweep(double seconds, double from, double to, double (*wave)(double), double vibrato = 0.0) {
    Samples out(static_cast<std::size_t>(Count(seconds)));
    double phase = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double f = from * std::pow(to / from, t / seconds) * (1.0 + vibrato * std::sin(2 * kPi * 18 * t));
        phase += f / kRate;
        out[i] = wave(phase) * Envelope(t, seconds, 0.004, seconds * 0.4);
    }
    return out;
}

void MixInto(Samples& into, const Samples& sound, double at, double gain) {
    const std::size_t start = static_cast<std::size_t>(Count(at));
    if (into.size() < start + sound.size()) into.resize(start + sound.size(), 0.0);
    for (std::size_t i = 0; i < sound.size(); ++i) into[start + i] += sound[i] * gain;
}

Samples NoiseBurst(double seconds, double fromCutoff, double toCutoff) {
    Samples out(static_cast<std::size_t>(Count(seconds)));
    Noise noise;
    double low = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double cutoff = fromCutoff + (toCutoff - fromCutoff) * t / seconds;
        const double k = 1.0 - std::exp(-2 * kPi * cutoff / kRate);
        low += k * (noise.Next() - low);
        out[i] = low * Envelope(t, seconds, 0.002, seconds * 0.8);
    }
    return out;
}

void WriteWav(const std::string& path, const Samples& samples, double gain = 0.8) {
    std::ofstream file(path, std::ios::binary);
    auto put32 = [&](std::uint32_t v) { file.write(reinterpret_cast<const char*>(&v), 4); };
    auto put16 = [&](std::uint16_t v) { file.write(reinterpret_cast<const char*>(&v), 2); };
    const std::uint32_t bytes = static_cast<std::uint32_t>(samples.size() * 2);
    file.write("RIFF", 4);
    put32(36 + bytes);
    file.write("WAVEfmt ", 8);
    put32(16);
    put16(1);
    put16(1);
    put32(kRate);
    put32(kRate * 2);
    put16(2);
    put16(16);
    file.write("data", 4);
    put32(bytes);
    for (double s : samples) {
        const double v = std::max(-1.0, std::min(1.0, s * gain));
        put16(static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(v * 32767))));
    }
    std::printf("%s\n", path.c_str());
}

double Note(int semitonesFromA4) { return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0); }

// One chip-style loop: a pulse lead, a triangle bass and noise drums over a bar pattern. Notes are
// semitones from A4, -99 a rest; the loop length is a whole number of beats so it repeats cleanly.
Samples Tune(double bpm, const std::vector<int>& lead, const std::vector<int>& bass, const std::string& drums,
             double duty) {
    const double step = 60.0 / bpm / 2.0;  // eighth notes
    const std::size_t steps = lead.size();
    Samples out(static_cast<std::size_t>(Count(step * static_cast<double>(steps))), 0.0);
    for (std::size_t i = 0; i < steps; ++i) {
        const double at = step * static_cast<double>(i);
        if (lead[i] != -99) {
            Samples tone(static_cast<std::size_t>(Count(step * 0.9)));
            double phase = 0.0;
            for (std::size_t k = 0; k < tone.size(); ++k) {
                const double t = static_cast<double>(k) / kRate;
                phase += Note(lead[i]) / kRate;
                tone[k] = Square(phase, duty) * Envelope(t, step * 0.9, 0.003, step * 0.5);
            }
            MixInto(out, tone, at, 0.22);
        }
        const int low = bass[i % bass.size()];
        if (low != -99) {
            Samples tone(static_cast<std::size_t>(Count(step)));
            double phase = 0.0;
            for (std::size_t k = 0; k < tone.size(); ++k) {
                const double t = static_cast<double>(k) / kRate;
                phase += Note(low) / kRate;
                tone[k] = Triangle(phase) * Envelope(t, step, 0.003, 0.02);
            }
            MixInto(out, tone, at, 0.35);
        }
        const char hit = drums[i % drums.size()];
        if (hit == 'k') MixInto(out, Sweep(0.12, 140, 45, Triangle), at, 0.6);
        if (hit == 's') MixInto(out, NoiseBurst(0.10, 6000, 2500), at, 0.5);
        if (hit == 'h') MixInto(out, NoiseBurst(0.03, 9000, 9000), at, 0.25);
    }
    out.resize(static_cast<std::size_t>(Count(step * static_cast<double>(steps))));  // tails wrap into silence
    return out;
}

std::vector<int> Repeat(const std::vector<int>& bar, int times, int transpose = 0) {
    std::vector<int> out;
    for (int i = 0; i < times; ++i)
        for (int n : bar) out.push_back(n == -99 ? n : n + transpose * (i % 2));
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";

    WriteWav(dir + "jump.wav", Sweep(0.22, 300, 900, [](double p) { return Square(p, 0.25); }));
    WriteWav(dir + "Beep24.wav", Sweep(0.09, 1320, 1320, [](double p) { return Square(p); }), 0.5);
    WriteWav(dir + "Beep11.wav", [] {
        Samples s = Sweep(0.07, 880, 880, [](double p) { return Square(p); });
        MixInto(s, Sweep(0.10, 1760, 1760, [](double p) { return Square(p); }), 0.07, 1.0);
        return s;
    }(), 0.5);
    WriteWav(dir + "Beeps_Scan01.wav", [] {
        Samples s;
        for (int i = 0; i < 6; ++i) MixInto(s, Sweep(0.05, 600 + 150 * i, 600 + 150 * i, Triangle), 0.06 * i, 1.0);
        return s;
    }());
    WriteWav(dir + "Foosball_CenterSlide6.wav", [] {
        Samples s = NoiseBurst(0.35, 500, 3500);
        MixInto(s, Sweep(0.35, 180, 520, Triangle), 0.0, 0.6);
        return s;
    }());
    WriteWav(dir + "Foosball_CenterSlide4.wav", [] {
        Samples s = NoiseBurst(0.35, 3500, 500);
        MixInto(s, Sweep(0.35, 520, 180, Triangle), 0.0, 0.6);
        return s;
    }());
    WriteWav(dir + "Scifi_Forcefield_Disable1.wav", Sweep(0.6, 1200, 90, [](double p) { return Square(p, 0.4); }, 0.05));
    WriteWav(dir + "Magic_EnergyRingPass8.wav", [] {
        Samples s;
        const int chord[] = {0, 4, 7, 12, 16};
        for (int i = 0; i < 5; ++i) MixInto(s, Sweep(0.4, Note(chord[i]), Note(chord[i]), Triangle, 0.01), 0.07 * i, 0.5);
        return s;
    }());
    WriteWav(dir + "Magic_EnergyRingPass1.wav", [] {
        Samples s;
        const int fanfare[] = {0, 4, 7, 12, 7, 12, 16, 19};
        for (int i = 0; i < 8; ++i) MixInto(s, Sweep(0.3, Note(fanfare[i]), Note(fanfare[i]), [](double p) { return Square(p, 0.3); }), 0.11 * i, 0.45);
        return s;
    }());
    WriteWav(dir + "Magic_AirDomeOff1.wav", [] {
        Samples s = Sweep(0.7, 1600, 400, Triangle, 0.03);
        MixInto(s, NoiseBurst(0.7, 8000, 800), 0.0, 0.3);
        return s;
    }());

    // Music: written as WAV here, encoded to Ogg Vorbis by make-sounds.
    const int R = -99;
    WriteWav(dir + "olsodabones.wav",
             Tune(132, Repeat({0, R, 3, 5, 7, R, 5, 3, 0, R, -2, 0, 3, R, R, R}, 4, 5),
                  {-24, -24, -12, -24, -21, -21, -9, -21}, "khskkhsh", 0.5));
    WriteWav(dir + "zol2.wav",
             Tune(150, Repeat({7, 12, 14, 12, 7, R, 5, 7, 3, 7, 10, 7, 2, R, R, R}, 4, -2),
                  {-17, -17, -5, -17, -19, -19, -7, -19}, "kh", 0.25));
    WriteWav(dir + "cloudyzol.wav",
             Tune(96, Repeat({12, R, 11, 7, 4, R, R, 7, 9, R, 7, 4, 2, R, R, R}, 4, 3),
                  {-24, R, -17, R, -22, R, -15, R}, "k...s...", 0.125));
    WriteWav(dir + "bisquedrums.wav",
             Tune(168, Repeat({R, R, 0, R, R, 3, R, R, R, R, 5, R, 3, R, 0, R}, 4, 0),
                  {-24, -24, -24, -12, -22, -22, -22, -10}, "kshkkshsksskkshh", 0.5));
    return 0;
}
