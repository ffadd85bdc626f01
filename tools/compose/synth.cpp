// Synthesised instruments of the show's module: drums from shaped noise and tones, band-limited waves.
#include "compose/synth.h"

#include <cmath>

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr double C4_HZ = 261.6255653005986;  // equal temperament, A4 = 440 Hz
constexpr double XM_C4_RATE = 8363.0;        // playback rate of C-4 at relative note 0, finetune 0
constexpr double DRUM_RATE = 44100.0;
constexpr int32_t CYCLE = 256;            // samples per period of every tuned wave at C-4
constexpr int32_t CHORUS_LENGTH = 32768;  // loop of the detuned waves: whole periods of each voice
constexpr double FULL_SCALE = 32767.0;

// Deterministic noise: the same bytes on every run and every machine.
struct Noise {
    uint32_t state;
};

double noise_next(Noise* noise)
{
    noise->state = noise->state * 1664525u + 1013904223u;
    return static_cast<double>(noise->state >> 8) / 8388608.0 - 1.0;
}

// Relative note and finetune that make C-4 play `rate` samples per second.
void tune(XmSample* sample, double rate)
{
    double semitones = 12.0 * std::log2(rate / XM_C4_RATE);
    double whole = std::floor(semitones + 0.5);
    sample->relative_note = static_cast<int8_t>(whole);
    sample->finetune = static_cast<int8_t>(std::lround((semitones - whole) * 128.0));
}

// Scales to `peak` of full scale and rounds to 16 bits.
std::vector<int16_t> to_pcm(const std::vector<double>& wave, double peak)
{
    double largest = 1e-9;
    for (double value : wave) {
        largest = std::fmax(largest, std::fabs(value));
    }
    std::vector<int16_t> pcm(wave.size());
    for (size_t i = 0; i < wave.size(); i++) {
        pcm[i] = static_cast<int16_t>(std::lround(wave[i] / largest * peak * FULL_SCALE));
    }
    return pcm;
}

// A sum of sines, every voice a whole number of periods in `length` samples, so
// the loop joins without a step. Harmonics stop at `harmonics`: the highest note
// played keeps them below the output's Nyquist frequency.
struct Voice {
    int32_t periods;
    double phase;
};

std::vector<double> additive(int32_t length, const std::vector<Voice>& voices, int32_t harmonics, double odd_only,
                             double rolloff)
{
    std::vector<double> wave(static_cast<size_t>(length), 0.0);
    for (const Voice& voice : voices) {
        for (int32_t k = 1; k <= harmonics; k++) {
            double amplitude = 1.0 / std::pow(k, rolloff);
            if (k % 2 == 0) {
                amplitude *= 1.0 - odd_only;
            }
            double step = 2.0 * PI * voice.periods * k / length;
            for (int32_t i = 0; i < length; i++) {
                wave[static_cast<size_t>(i)] += amplitude * std::sin(step * i + voice.phase * k);
            }
        }
    }
    return wave;
}

XmEnvelope envelope(std::vector<XmEnvelopePoint> points, int32_t sustain)
{
    XmEnvelope result = {};
    result.points = std::move(points);
    result.flags = 1;
    if (sustain >= 0) {
        result.sustain = static_cast<uint8_t>(sustain);
        result.flags |= 2;
    }
    return result;
}

XmInstrument looped(const char* name, std::vector<double> wave, int32_t periods, uint8_t volume, uint8_t panning)
{
    XmInstrument instrument = {};
    instrument.name = name;
    instrument.sample.name = name;
    instrument.sample.data = to_pcm(wave, 0.9);
    instrument.sample.loop_start = 0;
    instrument.sample.loop_length = static_cast<int32_t>(wave.size());
    instrument.sample.loop_type = 1;
    instrument.sample.volume = volume;
    instrument.sample.panning = panning;
    tune(&instrument.sample, C4_HZ * static_cast<double>(wave.size()) / periods);
    return instrument;
}

XmInstrument one_shot(const char* name, std::vector<double> wave, uint8_t volume, uint8_t panning)
{
    XmInstrument instrument = {};
    instrument.name = name;
    instrument.sample.name = name;
    instrument.sample.data = to_pcm(wave, 0.95);
    instrument.sample.volume = volume;
    instrument.sample.panning = panning;
    tune(&instrument.sample, DRUM_RATE);
    instrument.fadeout = 0;
    return instrument;
}

// The last milliseconds fall to zero so a one-shot never ends on a step.
void taper(std::vector<double>* wave)
{
    size_t tail = static_cast<size_t>(DRUM_RATE * 0.005);
    for (size_t i = 0; i < tail && i < wave->size(); i++) {
        (*wave)[wave->size() - 1 - i] *= static_cast<double>(i) / tail;
    }
}

XmInstrument kick()
{
    std::vector<double> wave(static_cast<size_t>(DRUM_RATE * 0.42));
    double phase = 0.0;
    for (size_t i = 0; i < wave.size(); i++) {
        double t = i / DRUM_RATE;
        double hz = 46.0 + 120.0 * std::exp(-t / 0.028);  // the pitch drop that makes the thump
        phase += 2.0 * PI * hz / DRUM_RATE;
        double body = std::sin(phase) * std::exp(-t / 0.22);
        double click = std::sin(phase * 3.0) * std::exp(-t / 0.004) * 0.3;
        wave[i] = std::tanh(1.6 * (body + click));
    }
    taper(&wave);
    return one_shot("kick", wave, 64, 128);
}

// Noise through a one-pole high-pass and a one-pole low-pass (corners in Hz), decaying over `decay` seconds.
std::vector<double> shaped_noise(Noise* noise, size_t length, double high_pass, double low_pass, double decay)
{
    std::vector<double> wave(length);
    double a = 1.0 / (1.0 + 2.0 * PI * high_pass / DRUM_RATE);
    double b = 1.0 - std::exp(-2.0 * PI * low_pass / DRUM_RATE);
    double hp = 0.0;
    double last = 0.0;
    double lp = 0.0;
    for (size_t i = 0; i < length; i++) {
        double x = noise_next(noise);
        hp = a * (hp + x - last);
        last = x;
        lp += b * (hp - lp);
        wave[i] = lp * std::exp(-(i / DRUM_RATE) / decay);
    }
    return wave;
}

XmInstrument snare(Noise* noise)
{
    std::vector<double> wave = shaped_noise(noise, static_cast<size_t>(DRUM_RATE * 0.32), 900.0, 9000.0, 0.075);
    for (size_t i = 0; i < wave.size(); i++) {
        double t = i / DRUM_RATE;
        wave[i] = wave[i] * 1.6 + 0.8 * std::sin(2.0 * PI * 186.0 * t) * std::exp(-t / 0.05);
    }
    taper(&wave);
    return one_shot("snare", wave, 46, 128);
}

XmInstrument hat(Noise* noise, const char* name, double seconds, double decay, uint8_t volume)
{
    std::vector<double> wave = shaped_noise(noise, static_cast<size_t>(DRUM_RATE * seconds), 7000.0, 16000.0, decay);
    taper(&wave);
    return one_shot(name, wave, volume, 160);
}

XmInstrument bass()
{
    std::vector<double> wave = additive(CYCLE, {{1, 0.0}}, 40, 0.0, 1.35);
    std::vector<double> sub = additive(CYCLE, {{1, 0.0}}, 1, 0.0, 1.0);
    for (size_t i = 0; i < wave.size(); i++) {
        wave[i] += 0.8 * sub[i];
    }
    XmInstrument instrument = looped("bass", wave, 1, 44, 128);
    instrument.volume_envelope = envelope({{0, 64}, {4, 54}, {16, 40}}, 2);
    instrument.fadeout = 1800;
    return instrument;
}

// Two voices 13.5 cents apart: a slow beating that makes the lead and pads wide.
XmInstrument lead(const char* name, uint8_t volume, uint8_t panning)
{
    std::vector<double> wave = additive(CHORUS_LENGTH, {{128, 0.0}, {129, 1.3}}, 14, 0.45, 1.1);
    XmInstrument instrument = looped(name, wave, 128, volume, panning);
    instrument.volume_envelope = envelope({{0, 0}, {2, 64}, {10, 50}, {40, 44}}, 3);
    instrument.fadeout = 900;
    instrument.vibrato_type = 0;
    instrument.vibrato_sweep = 40;
    instrument.vibrato_depth = 3;
    instrument.vibrato_rate = 10;
    return instrument;
}

XmInstrument arp()
{
    std::vector<double> wave = additive(CYCLE, {{1, 0.0}}, 12, 0.0, 1.2);
    XmInstrument instrument = looped("arp", wave, 1, 30, 84);
    instrument.volume_envelope = envelope({{0, 64}, {3, 36}, {12, 14}, {30, 0}}, -1);
    instrument.fadeout = 1200;
    return instrument;
}

XmInstrument pad()
{
    std::vector<double> wave = additive(CHORUS_LENGTH, {{127, 0.0}, {128, 2.1}, {129, 4.2}}, 24, 0.0, 1.4);
    XmInstrument instrument = looped("pad", wave, 128, 20, 128);
    instrument.volume_envelope = envelope({{0, 0}, {30, 64}, {90, 48}}, 2);
    instrument.fadeout = 900;  // a let-go chord dies away within a second and a half
    return instrument;
}

}  // namespace

std::vector<XmInstrument> synth_instruments()
{
    Noise noise = {0x5EEDu};
    std::vector<XmInstrument> instruments;
    instruments.push_back(kick());
    instruments.push_back(snare(&noise));
    instruments.push_back(hat(&noise, "closed hat", 0.09, 0.022, 30));
    instruments.push_back(hat(&noise, "open hat", 0.45, 0.16, 22));
    instruments.push_back(hat(&noise, "crash", 1.8, 0.6, 30));
    instruments.push_back(bass());
    instruments.push_back(lead("lead", 56, 118));
    instruments.push_back(arp());
    instruments.push_back(pad());
    instruments.push_back(lead("lead echo", 26, 196));
    return instruments;
}
