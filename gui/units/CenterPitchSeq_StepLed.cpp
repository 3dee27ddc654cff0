// SPDX-License-Identifier: GPL-3.0-or-later
#include "CenterPitchSeq_StepLed.h"

#include "ZuUnits.h"
#include "ZumiraboxAudioProcessorEditor.h"

namespace
{
constexpr int pollTimer = 0;
constexpr int cellsEntry = 42;

// Theme entry and settings colour of each unit type's light.
struct KindColours
{
    int themeEntry;
    int settingsColour;
};
constexpr std::array<KindColours, 4> lightColours{{{47, 0}, {48, 1}, {49, 2}, {51, 4}}};
} // namespace

CenterPitchSeq_StepLed::CenterPitchSeq_StepLed(int type, int index, MirabelGlobalData& global)
    : unitType(type), instance(index), stepIndex(zu::units::displayIndexOf(type, index)), globalData(global)
{
    addAndMakeVisible(cellsLayer);
    addAndMakeVisible(lightLayer);
    startTimer(pollTimer, pollPeriodMs);
}

CenterPitchSeq_StepLed::~CenterPitchSeq_StepLed()
{
    stopTimer(pollTimer);
}

const juce::Path& CenterPitchSeq_StepLed::getCellPath(int cell) const
{
    return cellPaths[(size_t) juce::jlimit(0, numCells - 1, cell)];
}

void CenterPitchSeq_StepLed::setCurPageIndex(int page)
{
    windowStart = page != 0 ? numCells : 0;
    windowEnd = windowStart + numCells;
}

void CenterPitchSeq_StepLed::setSkinMode(int newSkin)
{
    skin = newSkin;
    lightColour = juce::Colour(0xffffffff);
    if (unitType >= 0 && unitType < (int) lightColours.size())
    {
        const auto& kind = lightColours[(size_t) unitType];
        auto colour = colorTheme->entry(kind.themeEntry, skin);
        if (auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>())
            colour = editor->processor.unitColors[(size_t) kind.settingsColour];
        lightColour = colour.brighter(0.1f);
    }
    cellsLayer.setFill(colorTheme->entry(cellsEntry, skin));
    lightLayer.setFill(lightColour);
    repaint();
}

void CenterPitchSeq_StepLed::setSegmentStyle(bool on)
{
    segmentStyle = on;
    resized();
}

void CenterPitchSeq_StepLed::resized()
{
    const int w = getWidth();
    const int h = getHeight();
    const int cw = (int) ((float) w * 0.0625f);
    const int inset = (int) ((float) cw * 0.15f);
    const int x0 = inset + (int) ((float) (w - numCells * cw) * 0.5f);
    const float v = juce::jmax(0.5f, (float) juce::jmin(10, (int) ((float) h * 0.15f)));
    const int gap = segmentStyle ? (int) ((float) cw * 0.23f) : 0;

    cellRectangles.clear();
    cellsPath.clear();
    for (int k = 0; k < numCells; ++k)
    {
        const juce::Rectangle<float> area((float) (x0 + k * cw), 0.0f, (float) juce::jmax(0, cw - 2 * inset),
                                          (float) h);
        cellRectangles.addWithoutMerging(area);
        auto& cell = cellPaths[(size_t) k];
        cell.clear();
        const float width = juce::jmax(0.0f, juce::jmax(0.0f, area.getWidth() - (float) gap) - 2.0f);
        cell.addRoundedRectangle(area.getX() + 1.0f, v, width, juce::jmax(0.0f, (float) h - 2.0f * v), 1.0f);
        cellsPath.addPath(cell);
    }
    cellsLayer.setPath(cellsPath);
    // A lit cell follows the new layout.
    if (lastLitStep >= 0 && isEnabled() && !lightLayer.getPath().isEmpty())
        lightLayer.setPath(cellPaths[(size_t) (lastLitStep % numCells)]);
}

void CenterPitchSeq_StepLed::clearLight()
{
    lightLayer.setPath(juce::Path());
}

void CenterPitchSeq_StepLed::timerCallback(int timerID)
{
    if (timerID != pollTimer)
        return;
    if (!isShowing() || !isEnabled())
    {
        // A hidden row draws nothing; a disabled one shows no light.
        if (!isEnabled())
            clearLight();
        return;
    }
    const int step = stepIndex < 0 ? -1 : globalData.curSteps[(size_t) stepIndex].load();
    if (step < windowStart || step >= windowEnd)
    {
        if (lastLitStep >= 0)
        {
            lastLitStep = -1;
            clearLight();
        }
        return;
    }
    if (step == lastLitStep)
        return;
    lastLitStep = step;
    lightLayer.setPath(cellPaths[(size_t) (step % numCells)]);
}
