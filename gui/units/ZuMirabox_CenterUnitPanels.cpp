// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuMirabox_CenterUnitPanels.h"

#include "ZuEditorAccess.h"
#include "ZuUnits.h"
#include "ZumiraboxAudioProcessorEditor.h"

namespace
{
// The unit colour of a kind in the visible skin.
juce::Colour unitColourOf(const ZuMirabox_ColorTheme& theme, int kind, int skin)
{
    const ZuMirabox_ColorTheme::SkinColours* const colours[] = {&theme.pitchUnitColor, &theme.paramUnitColor,
                                                                &theme.ccUnitColor, &theme.octTpUnitColor,
                                                                &theme.ccRackUnitColor};
    if (kind < 0 || kind >= (int) std::size(colours) || skin < 0 || skin >= ZuMirabox_ColorTheme::numSkins)
        return {};
    return (*colours[kind])[(size_t) skin];
}

// The name a unit's header shows until the user renames it.
juce::String shortNameOf(int kind, int index)
{
    const juce::String number(index + 1);
    switch (kind)
    {
    case zu::units::param:
        return "Prm-SEQ " + number;
    case zu::units::cc:
        return "CC-SEQ " + number;
    case zu::units::octTp:
        return "Oct/TP-SEQ";
    case zu::units::ccRack:
        return "CC-Rack " + number;
    default:
        return "P-SEQ " + number;
    }
}
} // namespace

ZuMirabox_CenterUnitPanelShared::ZuMirabox_CenterUnitPanelShared(int kind, int index, bool expandable)
    : ZuCenterUnitPanelBase(unitColourOf(*ZuShared<ZuMirabox_ColorTheme>(), kind, 1), expandable)
{
    unitType = kind;
    unitIndex = index;
    unitId = zu::units::unitIdOf(kind, index);
    nameLabel.setText(shortNameOf(kind, index), juce::dontSendNotification);
    addAndMakeVisible(snapButton);
    snapButton.setVerFlag();
    addAndMakeVisible(unitBg);
    unitBg.toBack();
}

ZuMirabox_CenterUnitPanelShared::~ZuMirabox_CenterUnitPanelShared() = default;

juce::Colour ZuMirabox_CenterUnitPanelShared::kindColour() const
{
    return unitColourOf(*colorTheme, unitType, skinMode);
}

void ZuMirabox_CenterUnitPanelShared::parentHierarchyChanged()
{
    // The name the user gave the unit, once the panel is in the editor.
    if (auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>())
    {
        const auto tree = ZuEditorAccess(editor->processor).getMainTree();
        const juce::Identifier key("unitlabel" + juce::String(unitId));
        if (tree.hasProperty(key))
            nameLabel.setText(tree.getProperty(key).toString(), juce::dontSendNotification);
    }
}

void ZuMirabox_CenterUnitPanelShared::snapshotChanged()
{
    currentSnapshot = juce::jlimit(0, 7, (int) snapButton.getHiddenSlider().getValue());
}

void ZuMirabox_CenterUnitPanelShared::setAttachments(juce::AudioProcessorValueTreeState& state)
{
    if (!zu::units::isUnitId(unitId))
        return;
    const auto prefix = zu::units::unitPrefix(unitId);
    snapButton.setAttachment(unitId, state, prefix + "snp");
    setPowerButtonAttach(state, prefix + "pwr");
}

void ZuMirabox_CenterUnitPanelShared::colorMapping()
{
    unitColor = kindColour();
    headerColor = unitColor;
    // The minimised bar is the darker unit colour, which the frame's dark
    // name stands out on.
    minimizedHeaderColor = unitColor.darker(0.6f);
    colorMappingGlobalStuff();
    const auto area = themeColour(colorTheme->unitAreaBgColor);
    snapButton.setColor(area, themeColour(colorTheme->buttonOutlineColor), unitColor, area,
                        themeColour(colorTheme->buttonTextOnColor), themeColour(colorTheme->snapTextOffColor), 0.88f);
    updateDrawable();
    repaint();
}

void ZuMirabox_CenterUnitPanelShared::updateDrawable()
{
    if (minimizeButton.getToggleState())
    {
        juce::Path bar;
        bar.addRoundedRectangle(getLocalBounds().toFloat(), 4.0f);
        std::array<juce::Path, UnitBg::numPaths> barOnly{bar, {}, {}, {}, {}, {}};
        unitBg.setColors({minimizedHeaderColor, {}, {}, {}, {}, {}});
        unitBg.setPathList(barOnly);
        return;
    }
    const auto area = themeColour(colorTheme->unitAreaBgColor);
    const auto outline = themeColour(colorTheme->buttonOutlineColor);
    unitBg.setColors({area, headerColor, outline, outline, juce::Colour(), juce::Colour()});
    std::array<juce::Path, UnitBg::numPaths> paths{outlinePath, stripPath, nameDividerPath, outlineStrokePath, {}, {}};
    unitBg.setPathList(paths);
}

void ZuMirabox_CenterUnitPanelShared::paint(juce::Graphics& g)
{
    dDFocusPaint(g);
}

void ZuMirabox_CenterUnitPanelShared::resized()
{
    resizeGlobalStuff();
    placeMenuButton();
    unitBg.setBounds(getLocalBounds());
    const int w = juce::jmax(14, (int) ((float) contentArea.getWidth() * 0.035f));
    snapButton.setBounds(
        contentArea.withLeft(juce::jmax(contentArea.getX(), contentArea.getRight() - w)).reduced(0, 2));
    updateDrawable();
}
