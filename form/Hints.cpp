#include "Hints.h"

#include "FormModel.h"
#include "Placements.h"

#include <algorithm>

namespace quendra::form {

namespace {

const std::vector<Hint> kHints = {
    {control::Label10, "This just multiplies the PCM data."},
    {control::CheckBox02, "Turn on CRC error protection."},
    {control::CheckBox03, "Mark the encoded file as being a copy."},
    {control::CheckBox04, "Mark the encoded file as being copyrighted."},
    {control::ComboBox1, "Select output sampling frequency."},
    {control::TrackBar1, "Specifies the value of VBR quality."},
    {control::RadioGroup4,
     "Only the \"RadioGain\" ReplayGain value is computed. It is stored in the LAME tag. The "
     "analysis is performed with the reference volume equal to 89dB."},
    {control::CheckBox06,
     "This option causes LAME to ignore the output of the psy-model and only use "
     "masking from the ATH (absolute threshold of hearing)."},
    {control::CheckBox07, "Ignore psychoacoustic model for short blocks, use ATH only."},
    {control::CheckBox08, "Lower the ATH (absolute threshold of hearing)."},
    {control::CheckBox10,
     "Set an highpass filtering frequency. Frequencies below the specified one will "
     "be cutoff."},
    {control::CheckBox11, "Set the width of the highpass filter."},
    {control::CheckBox12,
     "Set a lowpass filtering frequency. Frequencies above the specified one will be "
     "cutoff."},
    {control::CheckBox13, "Set the width of the lowpass filter."},
    {control::CheckBox18, "Produces a free format bitstream."},
    {control::CheckBox19,
     "With this option, LAME will enforce the 7680 bit limitation on total frame size."},
    {control::CheckBox20, "Enable the bit reservoir."},
    {control::CheckBox21, "Let LAME use short blocks when appropriate."},
    {control::CheckBox22, "Let LAME use long blocks when appropriate."},
    {control::CheckBox23, "Allows the left and right channels to use different block size types."},
    {control::CheckBox24, "Make use of the temporal masking effect."},
    {control::CheckBox25, "Enable writing of the INFO Tag on encoding."},
    {control::TrackBar2,
     "Bitrate is of course the main influence on quality. The higher the bitrate, the higher the "
     "quality. At any given bitrate, though, the encoder can still choose between several "
     "algorithms for the scalefactors and the Huffman coding (noise shaping); this slider sets "
     "how hard it tries."},
    {control::ComboBox6,
     "When LAME searches for a \"good\" quantization, it has to compare the actual one with the "
     "best one found so far. That comparison decides which of the two quantizations is the "
     "better one, and the -X parameter selects the approach the comparison takes."},
    {control::RadioGroup3,
     "All this does is set a flag in the bitstream. Set it only when the PCM input had one of "
     "these (obsolete) emphasis types applied, so that a decoder de-emphasises the output during "
     "playback. Most decoders ignore the flag."},
    {control::CheckBox05,
     "The Absolute Threshold of Hearing is the minimum threshold under which humans are unable "
     "to hear any sound. The encoder knows three shapes of it, numbered 0, 1 and 2; CBR and ABR "
     "encodings use shape 2 unless another is chosen."},
    {control::CheckBox14,
     "Tells the encoder to use full bandwidth and to disable all filters. Otherwise the encoder "
     "lowpass-filters at lower bitrates, so that the few bits go to the frequencies that matter "
     "most."},
    {control::GroupBox3,
     "Disable specific assembly optimizations. This never raises the quality, it only makes "
     "encoding slower. Turning off the MMX code can help on processors where the encoder has "
     "problems with it."},
};

const Hint* hintOf(ControlName control) {
    const auto it = std::find_if(kHints.begin(), kHints.end(),
                                 [control](const Hint& h) { return h.control == control; });
    return it == kHints.end() ? nullptr : &*it;
}

} // namespace

const std::vector<Hint>& hints() {
    return kHints;
}

ControlName hintOwner(const FormModel& model, ControlName control) {
    for (ControlName c = control; model.has(c); c = placementOf(c)->parent)
        if (hintOf(c))
            return hintOf(c)->control;
    return {};
}

const char* hintOver(const FormModel& model, ControlName control) {
    const ControlName owner = hintOwner(model, control);
    if (owner.empty() || !model.enabled(control) || !model.visible(control))
        return nullptr;
    return hintOf(owner)->text;
}

} // namespace quendra::form
