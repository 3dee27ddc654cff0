// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A unit frame inside a real editor on a real processor, with the desktop's
// choosers and launcher taken over by the test.

#include "GuiTestHelpers.h"
#include "ZuCenterUnitPanelBase.h"
#include "ZuDesktop.h"
#include "ZuEditorAccess.h"
#include "ZuSmallWidgets.h"

#include <vector>

namespace zutest
{
// A unit panel as the unit panels use the frame: laid out and painted by it,
// taking its kind's preset folder from the processor.
class TestUnitPanel : public ZuCenterUnitPanelBase
{
public:
    TestUnitPanel(int kind, int index, bool expandable = false)
        : ZuCenterUnitPanelBase(juce::Colour(0xff89c997), expandable)
    {
        unitType = kind;
        unitIndex = index;
        headerColor = juce::Colour(0xff89c997);
        minimizedHeaderColor = juce::Colour(0xff3d5a44);
        nameLabel.setText("Pitch SEQ 1", juce::dontSendNotification);
    }

    void resized() override { resizeGlobalStuff(); }
    void paint(juce::Graphics& g) override
    {
        g.fillAll(juce::Colour(0xff1c1c1c));
        if (minimizeButton.getToggleState())
        {
            g.setColour(minimizedHeaderColor);
            g.fillRoundedRectangle(stripArea, 2.0f);
        }
        else
        {
            g.setColour(headerColor);
            g.fillPath(stripPath);
        }
        g.setColour(juce::Colour(0xff555555));
        g.fillPath(outlineStrokePath);
        g.fillPath(nameDividerPath);
        if (!modArea.isEmpty() && modButton.getToggleState())
        {
            g.setColour(juce::Colour(0xff2a2a2a));
            g.fillRect(modArea);
        }
        dDFocusPaint(g);
    }
    void getPresetFolderPath() override
    {
        if (auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>())
            presetFolder = ZuEditorAccess(editor->processor).getSettings().unitPresetFolders[(size_t) unitType];
    }
    void initialize() override { ++initializations; }

    int initializations = 0;
};

// Takes the desktop over for one test: choosers are recorded, not shown, and
// programs are recorded, not started.
struct DesktopRecorder
{
    struct Launch
    {
        ZuDesktop::ChooserRequest request;
        ZuDesktop::ChooserDone done;
    };

    DesktopRecorder() : savedLauncher(ZuDesktop::chooserLauncher()), savedStarter(ZuDesktop::processStarter())
    {
        ZuDesktop::chooserLauncher() = [this](std::unique_ptr<juce::FileChooser>& holder,
                                              const ZuDesktop::ChooserRequest& request, ZuDesktop::ChooserDone done)
        {
            holder.reset();
            launches.push_back({request, std::move(done)});
        };
        ZuDesktop::processStarter() = [this](const juce::StringArray& arguments)
        {
            started.push_back(arguments);
            return true;
        };
    }
    ~DesktopRecorder()
    {
        ZuDesktop::chooserLauncher() = savedLauncher;
        ZuDesktop::processStarter() = savedStarter;
    }

    std::vector<Launch> launches;
    std::vector<juce::StringArray> started;
    ZuDesktop::ChooserLauncher savedLauncher;
    ZuDesktop::ProcessStarter savedStarter;
};

// Sets the mouse buttons and keys the widgets see as held right now.
struct HeldModifiers
{
    explicit HeldModifiers(juce::ModifierKeys mods) : saved(ZuRealtimeModifiers::source())
    {
        ZuRealtimeModifiers::source() = [mods] { return mods; };
    }
    ~HeldModifiers() { ZuRealtimeModifiers::source() = saved; }
    std::function<juce::ModifierKeys()> saved;
};

// The items of a menu in order: id (0 for separators and sub-menus) and text.
struct MenuEntry
{
    int id;
    juce::String text;
    bool isSubMenu;
    bool isTicked;
};

inline std::vector<MenuEntry> entriesOf(const juce::PopupMenu& menu)
{
    std::vector<MenuEntry> entries;
    for (juce::PopupMenu::MenuItemIterator it(menu); it.next();)
    {
        const auto& item = it.getItem();
        entries.push_back(
            {item.itemID, item.isSeparator ? juce::String("---") : item.text, item.subMenu != nullptr, item.isTicked});
    }
    return entries;
}
} // namespace zutest
