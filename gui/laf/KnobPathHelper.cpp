// SPDX-License-Identifier: GPL-3.0-or-later
#include "KnobPathHelper.h"

juce::Path KnobPathHelper::brackets(float v, float hArm)
{
    juce::Path p;
    auto corner = [&p](float x0, float y0, float x1, float y1, float x2, float y2)
    {
        p.startNewSubPath(x0, y0);
        p.lineTo(x1, y1);
        p.lineTo(x2, y2);
    };
    corner(0.0f, v, 0.0f, 0.0f, hArm, 0.0f);
    corner(0.0f, 100.0f - v, 0.0f, 100.0f, hArm, 100.0f);
    corner(100.0f, v, 100.0f, 0.0f, 100.0f - hArm, 0.0f);
    corner(100.0f, 100.0f - v, 100.0f, 100.0f, 100.0f - hArm, 100.0f);
    return p;
}

KnobPathHelper::KnobPathHelper()
{
    juce::PathStrokeType(1.0f).createStrokedPath(framePath, brackets(10.0f, 10.0f));
    modFramePath = brackets(20.0f, 20.0f);
    sliderFramePath = brackets(10.0f, 15.0f);

    trianglePath.addTriangle(0.0f, 0.0f, 120.0f, 0.0f, 60.0f, 100.0f);

    for (int i = 0; i < numNumbers; ++i)
        createTextPath(numberPaths[(size_t) i], juce::String(i + 1), "Medium", {0.0f, 0.0f, 100.0f, 100.0f}, 0.95f,
                       juce::Justification::centred);
}

const juce::Path& KnobPathHelper::numberPath(int number) const
{
    return numberPaths[(size_t) juce::jlimit(1, numNumbers, number) - 1];
}

const juce::Path& KnobPathHelper::numberPathForName(const juce::String& name) const
{
    return numberPath(name.getIntValue());
}
