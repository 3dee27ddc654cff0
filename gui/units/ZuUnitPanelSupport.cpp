// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuUnitPanelSupport.h"

#include "ZuEditorAccess.h"
#include "ZuMirabox_CenterPanelMain.h"
#include "ZuUnits.h"
#include "ZumiraboxAudioProcessorEditor.h"

namespace zu::unitpanel
{
void bindHeaderLabel(ZuCenterUnitPanelBase& panel, juce::ValueTree guiTree)
{
    const juce::Identifier key(zu::units::unitLabelKey(panel.unitId));
    if (guiTree.hasProperty(key))
        panel.nameLabel.setText(guiTree.getProperty(key).toString(), juce::dontSendNotification);
    juce::Component::SafePointer<ZuCenterUnitPanelBase> safe(&panel);
    panel.nameLabel.onTextChange = [safe, guiTree, key]() mutable
    {
        auto* frame = safe.getComponent();
        if (frame == nullptr)
            return;
        guiTree.setProperty(key, frame->nameLabel.getText(), nullptr);
        if (auto* container = frame->findParentComponentOfClass<ZuMirabox_CenterPanelMain>())
            container->unitLabelChanged();
    };
}

void copyPresetFolder(ZuCenterUnitPanelBase& panel)
{
    if (!zu::units::isKind(panel.unitType))
        return;
    if (auto* editor = panel.findParentComponentOfClass<ZumiraboxAudioProcessorEditor>())
        panel.presetFolder = ZuEditorAccess(editor->processor).getSettings().unitPresetFolders[(size_t) panel.unitType];
}

juce::XmlElement unitPresetXml(ZuCenterUnitPanelBase& panel, const juce::String& name)
{
    juce::ValueTree tree("Preset");
    if (auto* editor = panel.findParentComponentOfClass<ZumiraboxAudioProcessorEditor>())
        ZuEditorAccess(editor->processor).createVtForUnitPreset(tree, panel.unitType, panel.unitIndex);
    tree.setProperty("presetname", name, nullptr);
    if (auto xml = tree.createXml())
        return *xml;
    return juce::XmlElement("Preset");
}

void paintUnitBackground(UnitBg& background, const ZuCenterUnitPanelBase& panel, juce::Colour panelColour,
                         const juce::Path& extraSeparator)
{
    const auto U = panel.unitColor;
    const auto line = U.darker(1.35f);
    if (panel.minimizeButton.getToggleState())
    {
        juce::Path whole;
        whole.addRoundedRectangle(panel.getLocalBounds().toFloat(), 4.0f);
        std::array<juce::Path, UnitBg::numPaths> paths{whole, {}, {}, {}, {}, {}};
        background.setColors({U.darker(0.6f), line, U.darker(0.6f), line, line, line.brighter(0.1f)});
        background.setPathList(paths);
        return;
    }
    std::array<juce::Path, UnitBg::numPaths> paths{
        panel.outlinePath, panel.nameDividerPath, panel.stripPath, extraSeparator, {}, panel.outlineStrokePath};
    background.setColors({panelColour, line, U.darker(0.6f), line, line, line.darker(0.1f)});
    background.setPathList(paths);
}

void initializeFrame(ZuCenterUnitPanelBase& panel)
{
    panel.minimizeButton.setToggleState(false, juce::sendNotification);
    panel.powerButton.setToggleState(true, juce::sendNotification);
}
} // namespace zu::unitpanel
