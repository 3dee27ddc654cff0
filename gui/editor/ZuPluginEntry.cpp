// SPDX-License-Identifier: GPL-3.0-or-later
// The plug-in's entry: the processor the host creates, with this library's
// editor installed as its editor.
#include "ZumiraboxAudioProcessorEditor.h"

namespace
{
juce::AudioProcessorEditor* makeEditor(ZumiraboxAudioProcessor& p)
{
    ZuEditorAccess access(p);
    return new ZumiraboxAudioProcessorEditor(p, access.getGlobalData(), access.getPitchData(), access.getLfoData(),
                                             access.getScaleData(), access.getChordData(), access.getMidiMapTree(),
                                             access.getPolarityToggle(), access.getEditorValue());
}
} // namespace

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    ZumiraboxAudioProcessor::editorFactory = &makeEditor;
    return new ZumiraboxAudioProcessor();
}
