// SPDX-License-Identifier: GPL-3.0-or-later
#include "SEQ1StepLedPanel.h"

SEQ1StepLedPanel::SEQ1StepLedPanel(MirabelGlobalData& global, Seq1Data& model, bool firstPage)
    : firstStep(firstPage ? 0 : numLights), endStep(firstPage ? numLights : 2 * numLights), globalData(global),
      data(model)
{
    panelColor = themeColour(colorTheme->panelBgColor);
    addAndMakeVisible(ledFrames);
    addAndMakeVisible(litLed);
    litLed.setFill(themeColour(colorTheme->accentColor).darker(0.1f));
    startTimer(pollTimer, pollPeriodMs);
}

SEQ1StepLedPanel::~SEQ1StepLedPanel()
{
    stopTimer(pollTimer);
}

float SEQ1StepLedPanel::verticalInset(int cellHeight) noexcept
{
    return juce::jlimit(0.5f, 10.0f, (float) zu::seq1::trunc(0.2f * (float) cellHeight));
}

void SEQ1StepLedPanel::resized()
{
    auto area = getLocalBounds();
    juce::Rectangle<int> cell;
    calcSeq1StepBaseRect(area, cell, numLights);
    const int w = cell.getWidth(), h = cell.getHeight();
    juce::RectangleList<float> rects;
    for (int k = 0; k < numLights; ++k)
    {
        const int e = zu::seq1::trunc(0.25f * (float) w);
        rects.addWithoutMerging({(float) (cell.getX() + k * w + e), (float) cell.getY(),
                                 (float) juce::jmax(0, w - 2 * e), (float) juce::jmax(0, h)});
    }
    ledRects = rects;

    const float v = verticalInset(h);
    framePath.clear();
    for (auto& path : ledPaths)
        path.clear();
    int j = 0;
    for (const auto& r : ledRects)
    {
        if (j >= numLights)
            break;
        auto& path = ledPaths[(size_t) j++];
        path.addRoundedRectangle(r.getX() + 1.0f, r.getY() + v, juce::jmax(0.0f, r.getWidth() - 2.0f),
                                 juce::jmax(0.0f, r.getHeight() - 2.0f * v), 1.0f);
        framePath.addPath(path);
    }
    ledFrames.setPath(framePath);
}

void SEQ1StepLedPanel::showLight(int light, const juce::Path& path)
{
    litLight = light;
    ++litChanges;
    litLed.setPath(path);
}

void SEQ1StepLedPanel::timerCallback(int timerID)
{
    if (timerID != pollTimer)
        return;
    const int s = data.currentStep;
    if (s == lastStep)
        return;
    lastStep = s;
    if (s >= firstStep && s < endStep)
        showLight(s % numLights, ledPaths[(size_t) (s % numLights)]);
    else
    {
        ledPaths[numLights].clear();
        showLight(-1, ledPaths[numLights]);
    }
}

void SEQ1StepLedPanel::valueChanged(juce::Value& value)
{
    const int s = zu::toIntSaturating((double) value.getValue());
    if (s < 0 || s < firstStep || s >= endStep || ledRects.getNumRectangles() != numLights)
    {
        showLight(-1, {});
        return;
    }
    juce::Path lit;
    lit.addRoundedRectangle(ledRects.getRectangle(s - firstStep), 1.0f);
    showLight(s - firstStep, lit);
}

void SEQ1StepLedPanel::colorMapping()
{
    panelColor = themeColour(colorTheme->panelBgColor);
    ledFrames.setFill(themeColour(colorTheme->pageTextOffColor));
    repaint();
}
