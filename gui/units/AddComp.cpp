// SPDX-License-Identifier: GPL-3.0-or-later
#include "AddComp.h"

#include "PluginSettingState.h"
#include "ZuCallOut.h"
#include "ZuEditorAccess.h"
#include "ZuIcons.h"
#include "ZuMirabox_CenterContent.h"
#include "ZuUnitKindColours.h"
#include "ZuUnits.h"
#include "ZumiraboxAudioProcessorEditor.h"

AddComp::AddComp(int index) : iconPath(ZU_ICON(svgPlus)), slotIndex(index)
{
    addAndMakeVisible(drawing);
    drawing.toBack();
    addAndMakeVisible(anchor);
    anchor.setInterceptsMouseClicks(false, true);
    setTooltip("Click to insert an audio effect module here");
}

AddComp::~AddComp()
{
    stopTimer(hoverTimer);
    // The holder deletes the children it still has; the outline and the icon
    // are members.
    drawing.removeAllChildren();
}

void AddComp::mouseEnter(const juce::MouseEvent&)
{
    hover = true;
    updateDrawable();
}

void AddComp::mouseExit(const juce::MouseEvent&)
{
    hover = false;
    updateDrawable();
}

void AddComp::mouseDown(const juce::MouseEvent&)
{
    OpenPopupMenu();
}

void AddComp::resized()
{
    calcGuiBaseStuff();
    updateDrawable();
}

void AddComp::timerCallback(int timerId)
{
    if (timerId != hoverTimer || isMouseOver(true))
        return;
    hover = false;
    stopTimer(hoverTimer);
    updateDrawable();
}

void AddComp::calcGuiBaseStuff()
{
    const auto b = getLocalBounds();
    const int x = b.getX(), y = b.getY(), w = b.getWidth(), h = b.getHeight();
    iconPath = ZU_ICON(svgPlus);
    const juce::Rectangle<float> box((float) x + 0.2f, (float) y + 0.2f, juce::jmax(0.0f, (float) w - 0.4f),
                                     juce::jmax(0.0f, (float) h - 0.4f));
    if (!iconPath.isEmpty() && !box.isEmpty())
        iconPath.applyTransform(iconPath.getTransformToScaleToFit(box, true));
    const int aw = juce::jmax(0, w - 2 * (int) (0.33f * (float) w));
    const int ah = juce::jmax(0, h);
    anchor.setBounds(x + w / 2 - aw / 2, y + h / 2 - ah / 2, aw, ah);
}

void AddComp::updateDrawable()
{
    drawing.removeAllChildren();
    const auto b = getLocalBounds();
    if (hover)
    {
        juce::Path frame;
        frame.addRoundedRectangle((float) b.getX() + 1.0f, (float) b.getY() + 1.0f,
                                  juce::jmax(0.0f, (float) b.getWidth() - 2.0f),
                                  juce::jmax(0.0f, (float) b.getHeight() - 2.0f), 2.0f);
        juce::Path stroke;
        juce::PathStrokeType(0.5f).createStrokedPath(stroke, frame);
        outline.setPath(stroke);
        outline.setFill(juce::Colour(0xffc0c0c0).withAlpha(0.9f));
        drawing.addAndMakeVisible(outline);
    }
    icon.setPath(iconPath);
    icon.setFill(theme->entry(2, 0).brighter(0.7f));
    drawing.addAndMakeVisible(icon);
    repaint();
}

void AddComp::OpenPopupMenu()
{
    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (editor != nullptr)
    {
        std::array<bool, 15> present{};
        if (auto* content = findParentComponentOfClass<ZuMirabox_CenterContent>())
        {
            content->presentFlags.fill(false);
            for (int i = 0; i < content->getNumUnitPanels(); ++i)
                content->presentFlags[(size_t) juce::jlimit(0, 14, content->getUnitPanel(i)->unitId - 1)] = true;
            present = content->presentFlags;
        }
        const auto& settings = ZuEditorAccess(editor->processor).getSettings();
        std::array<juce::Colour, 5> colours{};
        for (size_t i = 0; i < colours.size() && i < settings.unitColors.size(); ++i)
            colours[i] = settings.unitColors[i];

        auto menu = std::make_unique<AddMenuContent>(*this, present, colours);
        const auto area = editor->getLocalBounds();
        menu->setSize((int) (0.32f * (float) area.getWidth()), (int) (0.2f * (float) area.getHeight()));
        auto& box = zu::callout::launch(std::move(menu), editor->getLocalArea(&anchor, anchor.getLocalBounds()),
                                        *editor, juce::Colour(0xff707070), juce::Colour(0x00707070));
        box.setLookAndFeel(&baseLookAndFeel.get());
    }
    updateDrawable();
    startTimer(hoverTimer, hoverCheckMs);
}

//==============================================================================

namespace
{
struct AddButtonSpec
{
    const char* text;
    int column, row;
};

// Per button (unit id - 1): text, grid column and row.
constexpr std::array<AddButtonSpec, 15> addButtonSpecs{{{"Pitch SEQ1", 0, 0},
                                                        {"Pitch SEQ2", 0, 1},
                                                        {"Pitch SEQ3", 0, 2},
                                                        {"Pitch SEQ4", 0, 3},
                                                        {"Param SEQ1", 1, 0},
                                                        {"Param SEQ2", 1, 1},
                                                        {"Param SEQ3", 1, 2},
                                                        {"Param SEQ4", 1, 3},
                                                        {"CC SEQ1", 2, 0},
                                                        {"CC SEQ2", 2, 1},
                                                        {"CC SEQ3", 2, 2},
                                                        {"CC SEQ4", 2, 3},
                                                        {"Oct/TP SEQ", 3, 0},
                                                        {"CC Rack1", 3, 2},
                                                        {"CC Rack2", 3, 3}}};
} // namespace

AddMenuContent::AddMenuContent(AddComp& slot, const std::array<bool, 15>& present, std::array<juce::Colour, 5> colours)
    : owner(&slot)
{
    for (size_t j = 0; j < buttons.size(); ++j)
    {
        auto& button = buttons[j];
        const auto& spec = addButtonSpecs[j];
        const int unitId = (int) j + 1;
        const auto c = colours[settingsColourIndex(zu::units::kindOf(unitId))];
        addAndMakeVisible(button);
        button.setButtonText(spec.text);
        button.setLookAndFeel(&addButtonLookAndFeel.get());
        auto& props = button.getProperties();
        props.set("fontsize", (double) 0.55f);
        props.set("fontface", "SemiBold");
        props.set("corner", 1.0);
        props.set("bgcolor", colorTheme->entry(52, 0).toString());
        props.set("outlinecolor", c.toString());
        button.setColour(juce::TextButton::buttonOnColourId, c.darker(0.9f));
        button.setColour(juce::TextButton::buttonColourId, c.darker(0.2f));
        button.setColour(juce::TextButton::textColourOffId, juce::Colour(0xfff0f0f0));
        button.setColour(juce::TextButton::textColourOnId, c);
        button.setEnabled(!present[j]);
        button.onClick = [this, unitId] { buttonPicked(unitId); };
    }
}

AddMenuContent::~AddMenuContent()
{
    for (auto& button : buttons)
        button.setLookAndFeel(nullptr);
}

void AddMenuContent::buttonPicked(int unitId)
{
    // The slot and the column may both be gone: the unit list changed while
    // the menu was open. Then the pick only closes the menu.
    if (auto* slot = owner.getComponent())
    {
        const int index = slot->getSlotIndex();
        if (auto* content = slot->findParentComponentOfClass<ZuMirabox_CenterContent>())
            if (!content->hasUnit(unitId))
                content->addUnit(unitId, index);
    }
    zu::callout::dismissEnclosing(*this);
}

void AddMenuContent::paint(juce::Graphics& g)
{
    g.fillAll(juce::Colour(0xff707070));
}

void AddMenuContent::resized()
{
    const auto b = getLocalBounds();
    const int x = b.getX(), y = b.getY(), w = b.getWidth(), h = b.getHeight();
    const int mg = juce::jmax(2, (int) (0.05f * (float) h));
    const int iw = juce::jmax(0, w - 2 * mg), ih = juce::jmax(0, h - 2 * mg);
    const int cw = (int) (0.248f * (float) iw), rh = (int) (0.248f * (float) ih);
    const int x0 = x + mg + (int) ((float) (iw - 4 * cw) * 0.5f);
    const int y0 = y + mg + (int) ((float) (ih - 4 * rh) * 0.5f);
    const int bw = juce::jmax(0, cw - 4), bh = juce::jmax(0, rh - 2);
    for (size_t j = 0; j < buttons.size(); ++j)
        buttons[j].setBounds(x0 + 2 + addButtonSpecs[j].column * cw, y0 + 1 + addButtonSpecs[j].row * rh, bw, bh);
}

void AddMenuContent::colorMapping()
{
    repaint();
}
