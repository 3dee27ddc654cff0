// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// The one table from which the 100 host parameters are made. Built once in the
// constructor and read-only afterwards; every accessor hands out a copy.
class ZuKern_ParamProfile
{
public:
    static constexpr int numParams = 100;

    ZuKern_ParamProfile();
    ~ZuKern_ParamProfile() = default;

    void makeMyParamProfiles();

    juce::String getParamID(int index) const { return identifiers[index]; }
    juce::String getParamName(int index) const { return names[index]; }
    // The profile keeps no labels: the name doubles as the label.
    juce::String getParamLabel(int index) const { return names[index]; }
    juce::NormalisableRange<float> getValRange(int index) const { return ranges[index]; }
    float getDefVal(int index) const { return defaults[index]; }
    float getMinVal(int index) const { return ranges[index].start; }
    float getMaxVal(int index) const { return ranges[index].end; }
    int getParamIndexFromString(const juce::String& identifier) const;

    const juce::Array<int>& getNonAutomatableList() const { return nonAutomatable; }
    const juce::Array<int>& getDiscreteList() const { return discrete; }

    // Position label p (0..12) used by the swing, global octave-transpose and reset targets.
    static juce::String positionLabel(int p);

private:
    void setEntry(int index, const juce::String& id, const juce::String& name, float min, float max, float interval,
                  float def, bool isDiscrete);

    juce::Array<juce::String> identifiers;
    juce::Array<juce::String> names;
    juce::Array<juce::NormalisableRange<float>> ranges;
    juce::Array<float> defaults;
    juce::Array<int> nonAutomatable;
    juce::Array<int> discrete;
};
