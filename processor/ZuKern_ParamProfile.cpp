// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuKern_ParamProfile.h"

#include "ZuUnits.h"

ZuKern_ParamProfile::ZuKern_ParamProfile()
{
    makeMyParamProfiles();
}

juce::String ZuKern_ParamProfile::positionLabel(int p)
{
    if (p < 4)
        return "Center PitchSQ" + juce::String(p);
    if (p < 8)
        return "Center ParamSQ" + juce::String(p);
    if (p < 12)
        return "Center CcSQ" + juce::String(p);
    return "Center OctTpSQ";
}

void ZuKern_ParamProfile::setEntry(int index, const juce::String& id, const juce::String& name, float min, float max,
                                   float interval, float def, bool isDiscrete)
{
    identifiers.set(index, id);
    names.set(index, name);
    ranges.set(index, juce::NormalisableRange<float>(min, max, interval, 1.0f));
    defaults.set(index, def);
    if (isDiscrete)
        discrete.add(index);
}

void ZuKern_ParamProfile::makeMyParamProfiles()
{
    identifiers.resize(numParams);
    names.resize(numParams);
    ranges.resize(numParams);
    defaults.resize(numParams);
    nonAutomatable.clear();
    discrete.clear();

    int i = 0;

    // Units: power, MIDI channel (pitch and CC kinds only) and snapshot.
    // Parameter names by kind; the pitch and CC kinds have a MIDI channel.
    const char* const namePrefixes[] = {"PitchSQ", "ParamSQ", "CcSQ", "OctTP SQ", "CC Rack"};
    for (int kind = 0; kind < zu::units::numKinds; ++kind)
    {
        for (int u = 0; u < zu::units::unitsOfKind[(size_t) kind]; ++u)
        {
            const auto prefix = zu::units::unitPrefix(kind, u);
            const auto name = juce::String(namePrefixes[kind]) + juce::String(u + 1);
            setEntry(i++, prefix + "pwr", name + " Power", 0.0f, 1.0f, 1.0f, 1.0f, true);
            if (kind == zu::units::pitch || kind == zu::units::cc)
                setEntry(i++, prefix + "ch", name + " CH", 0.0f, 16.0f, 1.0f, 0.0f, true);
            setEntry(i++, prefix + "snp", name + " Snapshot", 0.0f, 7.0f, 1.0f, 0.0f, true);
        }
    }
    jassert(i == 38);

    for (int n = 1; n <= 8; ++n)
        setEntry(i++, "p7_macro" + juce::String(n), "Macro" + juce::String(n), 0.0f, 1.0f, 0.0f, 0.0f, false);

    setEntry(i++, "p0_swing", "Swing", -1.0f, 1.0f, 0.0f, 0.0f, false);
    for (int n = 1; n <= 13; ++n)
        setEntry(i++, "p0_swgtar" + juce::String(n), "Swing " + positionLabel(n - 1), 0.0f, 1.0f, 0.0f, 1.0f, false);

    setEntry(i++, "p0_goct", "Global Oct", -2.0f, 2.0f, 1.0f, 0.0f, false);
    setEntry(i++, "p0_gtp", "Global TP", -12.0f, 12.0f, 1.0f, 0.0f, false);
    for (int n = 1; n <= 4; ++n)
        setEntry(i++, "p0_gocttptar" + juce::String(n), "G-OctTp " + positionLabel(n - 1), 0.0f, 1.0f, 0.0f, 1.0f,
                 false);

    setEntry(i++, "p0_gch", "Global MidiCH", 1.0f, 16.0f, 1.0f, 1.0f, true);
    setEntry(i++, "p8_scale_pwr", "Scale Power", 0.0f, 1.0f, 1.0f, 1.0f, true);
    setEntry(i++, "p8_scale_type", "Scale Type", 0.0f, 1.0f, 1.0f, 0.0f, true);
    setEntry(i++, "p8_scale_order", "Scale Order", 0.0f, 1.0f, 1.0f, 0.0f, true);
    setEntry(i++, "p8_scale_root", "Scale Root", 0.0f, 11.0f, 1.0f, 0.0f, true);
    setEntry(i++, "p8_scale_rootshift", "Scale RootShift", 0.0f, 1.0f, 1.0f, 0.0f, true);
    for (int n = 1; n <= 4; ++n)
        setEntry(i++, "p8_scaletar" + juce::String(n), "Scale Center PSQ" + juce::String(n - 1), 0.0f, 1.0f, 0.0f, 1.0f,
                 false);

    setEntry(i++, "p9_chord_pwr", "Chord Power", 0.0f, 1.0f, 1.0f, 1.0f, true);
    for (int n = 1; n <= 4; ++n)
        setEntry(i++, "p9_chordtar" + juce::String(n), "Chord Center PSQ" + juce::String(n - 1), 0.0f, 1.0f, 0.0f, 0.0f,
                 false);

    setEntry(i++, "p0_clk_reset", "Clock Reset", 0.0f, 1.0f, 1.0f, 0.0f, true);
    setEntry(i++, "p0_clk_resync", "Clock ReSync", 0.0f, 1.0f, 1.0f, 0.0f, true);
    for (int n = 1; n <= 13; ++n)
        setEntry(i++, "p0_rebtntar" + juce::String(n), "Reset/ReSync " + positionLabel(n - 1), 0.0f, 1.0f, 0.0f, 1.0f,
                 false);

    setEntry(i++, "p0_midimute", "Midi Mute", 0.0f, 1.0f, 1.0f, 0.0f, true);
    setEntry(i++, "p0_midithru", "Midi Thru", 0.0f, 1.0f, 1.0f, 0.0f, true);
    setEntry(i++, "p0_miditp", "Midi TP", 0.0f, 1.0f, 1.0f, 0.0f, true);
    setEntry(i++, "dummy", "Dummy", 0.0f, 1.0f, 1.0f, 0.0f, true);
    jassert(i == numParams);
}

int ZuKern_ParamProfile::getParamIndexFromString(const juce::String& identifier) const
{
    for (int i = 0; i < identifiers.size(); ++i)
        if (identifiers.getReference(i) == identifier)
            return i;
    return -1;
}
