// Writes the three default sounds of the program: short, soft tones in
// 16-bit PCM, mono, 44.1 kHz.
//   alarm.wav    the start: a rising three-note chime
//   Timeout.wav  a stage change: two bright bell strokes
//   Stop.wav     the end: a falling three-note chime, held a little longer
// Usage: make_sounds <folder>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

struct Note {
    double startSec;
    double frequency;
    double lengthSec;
    double volume;
};

// A bell-like note: quick attack, exponential decay, two soft overtones.
void addNote(std::vector<double>& mix, const Note& n)
{
    const int first = int(n.startSec * kRate);
    const int count = int(n.lengthSec * kRate);
    for (int i = 0; i < count && first + i < int(mix.size()); ++i) {
        const double t = double(i) / kRate;
        const double attack = std::min(1.0, t / 0.008);
        const double decay = std::exp(-4.0 * t / n.lengthSec);
        const double release = std::min(1.0, (n.lengthSec - t) / 0.02); // no click at the end
        const double w = 2 * kPi * n.frequency * t;
        const double tone = std::sin(w) + 0.35 * std::sin(2 * w) + 0.12 * std::sin(3 * w);
        mix[first + i] += n.volume * attack * decay * release * tone / 1.47;
    }
}

std::vector<int16_t> render(const std::vector<Note>& notes, double totalSec)
{
    std::vector<double> mix(size_t(totalSec * kRate), 0.0);
    for (const Note& n : notes)
        addNote(mix, n);
    std::vector<int16_t> samples(mix.size());
    for (size_t i = 0; i < mix.size(); ++i) {
        const double v = std::max(-1.0, std::min(1.0, mix[i]));
        samples[i] = int16_t(std::lround(v * 32767 * 0.8));
    }
    return samples;
}

void put16(std::ofstream& out, uint16_t v)
{
    const char b[2] = {char(v & 0xff), char(v >> 8)};
    out.write(b, 2);
}

void put32(std::ofstream& out, uint32_t v)
{
    const char b[4] = {char(v & 0xff), char((v >> 8) & 0xff), char((v >> 16) & 0xff), char(v >> 24)};
    out.write(b, 4);
}

bool writeWav(const std::string& path, const std::vector<int16_t>& samples)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    out.write("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.write("WAVE", 4);
    out.write("fmt ", 4);
    put32(out, 16);        // size of the format block
    put16(out, 1);         // PCM
    put16(out, 1);         // mono
    put32(out, kRate);
    put32(out, kRate * 2); // bytes per second
    put16(out, 2);         // bytes per frame
    put16(out, 16);        // bits per sample
    out.write("data", 4);
    put32(out, dataBytes);
    for (int16_t s : samples)
        put16(out, uint16_t(s));
    return bool(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sounds <folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    // C5, E5, G5 and back; A5 for the stage bell.
    const double c5 = 523.25, e5 = 659.26, g5 = 783.99, a5 = 880.0, c6 = 1046.5;
    const struct {
        const char* name;
        std::vector<Note> notes;
        double seconds;
    } sounds[] = {
        {"alarm.wav", {{0.0, c5, 0.45, 0.6}, {0.15, e5, 0.45, 0.6}, {0.30, g5, 0.6, 0.6}}, 0.95},
        {"Timeout.wav", {{0.0, a5, 0.35, 0.7}, {0.22, a5, 0.45, 0.7}}, 0.70},
        {"Stop.wav", {{0.0, c6, 0.5, 0.55}, {0.2, g5, 0.5, 0.55}, {0.4, c5, 0.9, 0.65}}, 1.35},
    };
    for (const auto& s : sounds) {
        const std::string path = folder + "/" + s.name;
        if (!writeWav(path, render(s.notes, s.seconds))) {
            std::fprintf(stderr, "make_sounds: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
