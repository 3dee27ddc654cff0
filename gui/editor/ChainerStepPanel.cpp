// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChainerStepPanel.h"

#include "ZuGlobalPanelParts.h"
#include "ZuStyleProps.h"

namespace
{
const juce::StringArray stepTexts{"A", "B", "C", "D", "E", "F", "G", "H", "-"};
} // namespace

ChainerPlayPosBar::ChainerPlayPosBar(MirabelGlobalData& global) : globalData(global)
{
    backgroundColour = colorTheme->entry(1, 1);
    addAndMakeVisible(backgroundCells);
    backgroundCells.setFill(backgroundColour.darker(0.5f));
    addAndMakeVisible(marker);
    marker.setFill(juce::Colour(0xffd0d0d0));
    setInterceptsMouseClicks(false, false);
}

ChainerPlayPosBar::~ChainerPlayPosBar()
{
    stopTimer(pollTimer);
}

void ChainerPlayPosBar::paint(juce::Graphics& g)
{
    g.fillAll(backgroundColour);
}

void ChainerPlayPosBar::resized()
{
    x0 = 1.0f;
    y0 = 1.0f;
    cellHeight = (float) juce::jmax(getHeight() - 2, 0);
    const int W = juce::jmax(getWidth() - 2, 0);
    cellWidth = (float) juce::jmin(W, (int) ((float) W * 0.0625f));
}

void ChainerPlayPosBar::createBgPath()
{
    if (cells.isEmpty())
        return;
    cellWidth = cells.getFirst().getWidth();
    juce::Path path;
    for (const auto& cell : cells)
        path.addRectangle(cell.getX(), y0, cellWidth, cellHeight);
    backgroundCells.setPath(path);
}

void ChainerPlayPosBar::timerCallback(int)
{
    if (!isEnabled() || !isShowing())
        return;
    const int step = globalData.chrCurStep.load();
    if (step == lastShownStep)
        return;
    lastShownStep = step;
    juce::Path path;
    if (step >= 0)
    {
        const float x = step < cells.size() ? cells[step].getX() + 1.0f : 1.0f;
        path.addRectangle(x, y0 + 1.0f, juce::jmax(cellWidth - 2.0f, 0.0f), juce::jmax(cellHeight - 2.0f, 0.0f));
    }
    marker.setPath(path);
}

//==============================================================================
ChainerStepPanel::ChainerStepPanel(MirabelGlobalData&)
{
    panelColor = colorTheme->entry(1, skinMode);
    const float pi = juce::MathConstants<float>::pi;
    for (auto& box : boxes)
    {
        box.setName("ChainerStep");
        addAndMakeVisible(box);
        zu::global::keepFocusAway(box);
        box.setLookAndFeel(&boxLook.get());
        box.setSliderStyle(juce::Slider::RotaryHorizontalVerticalDrag);
        box.setTextBoxStyle(juce::Slider::NoTextBox, true, 20, 20);
        box.setRotaryParameters(1.3f * pi, 2.7f * pi, true);
        box.setMouseCursor(juce::MouseCursor::UpDownResizeCursor);
        box.setColour(juce::Slider::backgroundColourId, panelColor);
        box.setColour(juce::Slider::textBoxTextColourId, juce::Colour(0xffc0c0c0));
        box.setColour(juce::Slider::textBoxOutlineColourId, juce::Colour(0xff909090));
        box.setRange(0.0, 8.0, 1.0);
        box.setTooltip("Set the snapshot of this step");
        box.textFromValueFunction = [](double v)
        { return stepTexts[juce::jlimit(0, 8, std::isfinite(v) ? (int) v : 0)]; };
    }
}

ChainerStepPanel::~ChainerStepPanel()
{
    for (auto& box : boxes)
        box.setLookAndFeel(nullptr);
}

void ChainerStepPanel::setAttachments(juce::ValueTree tree, int trackIndex)
{
    for (int k = 0; k < numSteps; ++k)
        attacher->attachToSlider(tree, "p0_chrt" + juce::String(trackIndex + 1) + "stp" + juce::String(k + 1), 0.0f,
                                 {0.0, 8.0, 1.0}, boxes[(size_t) k]);
}

void ChainerStepPanel::colorMapping()
{
    panelColor = colorTheme->entry(1, skinMode);
    for (auto& box : boxes)
        box.setColour(juce::Slider::backgroundColourId, panelColor);
    repaint();
}

void ChainerStepPanel::paint(juce::Graphics& g)
{
    g.fillAll(panelColor);
}

void ChainerStepPanel::resized()
{
    const int W = juce::jmax(getWidth() - 2, 0), H = juce::jmax(getHeight() - 2, 0);
    const int c = (int) ((float) W * 0.062f);
    const int x0 = 1 + (int) ((float) (W - numSteps * c) * 0.5f);
    cells.clear();
    for (int k = 0; k < numSteps; ++k)
    {
        const juce::Rectangle<int> cell(x0 + k * c, 1, c, H);
        boxes[(size_t) k].setBounds(cell);
        cells.add(cell.toFloat());
    }
}

//==============================================================================
ChainerStepPanelMain::ChainerStepPanelMain(MirabelGlobalData& globalData)
{
    panelColor = colorTheme->entry(1, skinMode);
    playPosBar = std::make_unique<ChainerPlayPosBar>(globalData);
    addAndMakeVisible(*playPosBar);
    for (auto& row : rows)
    {
        row = std::make_unique<ChainerStepPanel>(globalData);
        addAndMakeVisible(*row);
    }
    for (int j = 0; j < numTracks; ++j)
    {
        auto& label = labels[(size_t) j];
        addAndMakeVisible(label);
        label.setLookAndFeel(&labelLook.get());
        label.setText(juce::String(j + 1), juce::dontSendNotification);
        label.setJustificationType(juce::Justification::centred);
        label.getProperties().set(ZuStyle::bgcolor, panelColor.toString());
        label.setColour(juce::Label::backgroundColourId, panelColor);
        label.setColour(juce::Label::textColourId, juce::Colour(0xffcccccc));
        label.setColour(juce::Label::backgroundWhenEditingColourId, panelColor);
        label.getProperties().set(ZuStyle::fontsize, 0.9);
        label.getProperties().set(ZuStyle::fontface, "Medium");
    }
}

ChainerStepPanelMain::~ChainerStepPanelMain()
{
    for (auto& label : labels)
        label.setLookAndFeel(nullptr);
}

void ChainerStepPanelMain::setAttachments(juce::ValueTree paramTree)
{
    for (int j = 0; j < numTracks; ++j)
        rows[(size_t) j]->setAttachments(paramTree, j);
}

void ChainerStepPanelMain::setTrkSelIndex(int sel)
{
    for (int i = 0; i < numTracks / 2; ++i)
    {
        rows[(size_t) i]->setVisible(sel == 0);
        labels[(size_t) i].setVisible(sel == 0);
        rows[(size_t) (i + 4)]->setVisible(sel == 1);
        labels[(size_t) (i + 4)].setVisible(sel == 1);
    }
}

void ChainerStepPanelMain::colorMapping()
{
    panelColor = colorTheme->entry(1, skinMode);
    for (auto& row : rows)
        row->setSkinMode(skinMode);
    for (auto& label : labels)
    {
        label.getProperties().set(ZuStyle::bgcolor, panelColor.darker(0.3f).toString());
        label.setColour(juce::Label::backgroundColourId, panelColor);
        label.setColour(juce::Label::textColourId, juce::Colour(0xffcccccc));
        label.setColour(juce::Label::backgroundWhenEditingColourId, panelColor);
    }
    repaint();
}

void ChainerStepPanelMain::paint(juce::Graphics& g)
{
    g.fillAll(panelColor);
}

void ChainerStepPanelMain::resized()
{
    const int W = juce::jmax(getWidth() - 2, 0), H = juce::jmax(getHeight() - 2, 0);
    const int Lw = juce::jmin(W, (int) ((float) W * 0.02f));
    const int gap = W - Lw > 0 ? 1 : 0;
    const int Rw = W - Lw - gap;
    const int rowX = 1 + Lw + gap;

    const int Bh = juce::jmin(juce::jlimit(1, 8, (int) ((float) H * 0.08f)), H);
    const int R = H - Bh;
    const int gap2 = juce::jmin(juce::jlimit(1, 12, (int) ((float) R * 0.05f)), R);
    const int Rh = (int) ((float) (R - gap2) * 0.24f);
    const int y0 = 1 + Bh + gap2 + (int) ((float) (R - gap2 - 4 * Rh - 3) * 0.5f);
    for (int i = 0; i < numTracks / 2; ++i)
    {
        const int y = y0 + i * (Rh + 1);
        for (int j : {i, i + 4})
        {
            rows[(size_t) j]->setBounds(rowX, y, Rw, Rh);
            labels[(size_t) j].setBounds(1, y, Lw, juce::jmax(Rh, 0));
        }
    }

    playPosBar->setBounds(rowX, 1, Rw, Bh);
    playPosBar->cells.clear();
    for (const auto& cell : rows[0]->cells)
        playPosBar->cells.add(cell);
    playPosBar->createBgPath();
    playPosBar->startTimer(ChainerPlayPosBar::pollTimer, ChainerPlayPosBar::pollMs);
}
