// SPDX-License-Identifier: GPL-3.0-or-later
// The chord set editor: the twelve chord units bound to the "param" tree,
// the chord pool and its drag, and chord set files.
#include "GuiTestHelpers.h"
#include "MessagePump.h"
#include "TempFolder.h"
#include "UnitFrameFixture.h"
#include "WidgetTestHelpers.h"

#include "ChordPanel.h"
#include "ZuToolsCommon.h"

#include <gtest/gtest.h>

namespace
{
int property(const ZumiraboxAudioProcessor& p, const juce::String& id)
{
    return (int) p.paramTree[juce::Identifier(id)];
}

int unitProperty(const ZumiraboxAudioProcessor& p, const char* stem, int n)
{
    return property(p, stem + juce::String(n));
}

int noteProperty(const ZumiraboxAudioProcessor& p, int n, int k)
{
    return property(p, "p9_chord" + juce::String(n) + "_cn" + juce::String(k));
}

// The chord set editor inside a real editor, at the size of the floating
// window's content at the editor's default size.
struct ChordSetFixture : ::testing::Test
{
    ChordSetFixture()
    {
        editor->addAndMakeVisible(chordSet);
        chordSet.setBounds(10, 10, 380, 179);
    }

    ZumiraboxAudioProcessor processor;
    std::unique_ptr<ZumiraboxAudioProcessorEditor> editor = zutest::makeEditor(processor);
    ChordEditPanel chordSet{processor.paramState, processor.paramTree};
    ChordUnitsMainPanel& units = chordSet.getUnitsPanel();
    ChordEditMenuPanel& menu = chordSet.getMenuPanel();
};
} // namespace

TEST_F(ChordSetFixture, AFreshTreeGivesEachUnitItsOwnRootAndTheNormalPanel)
{
    for (int n = 1; n <= 12; ++n)
    {
        EXPECT_EQ(unitProperty(processor, "p9_chord_type", n), 1) << n;
        EXPECT_EQ(unitProperty(processor, "p9_chord_root", n), n) << n;
        EXPECT_EQ(unitProperty(processor, "p9_chord_inv", n), 1) << n;
        EXPECT_EQ(unitProperty(processor, "p9_chord_custom", n), 0) << n;
        for (int k = 1; k <= 5; ++k)
            EXPECT_EQ(noteProperty(processor, n, k), 1) << n << " " << k;
        auto& unit = units.getUnit(n - 1);
        EXPECT_TRUE(unit.normPanel.isVisible() && !unit.customPanel.isVisible()) << n;
        EXPECT_EQ(unit.normPanel.typeBox.getText(), "Maj");
        EXPECT_EQ(unit.normPanel.rootBox.getText(), zu::tools::noteName(n - 1));
    }

    // A change from outside switches the panels.
    processor.paramTree.setProperty("p9_chord_custom5", 1, nullptr);
    auto& five = units.getUnit(4);
    EXPECT_TRUE(zutest::pumpUntil([&] { return five.customPanel.isVisible() && !five.normPanel.isVisible(); }));
    EXPECT_TRUE(five.customButton.getToggleState());
}

TEST_F(ChordSetFixture, OnlyChordTypeIdsOneToTwentyStay)
{
    auto& unit = units.getUnit(2);
    // A drop of an id outside the types, or without one, is ignored.
    ChordItem item;
    juce::DragAndDropTarget::SourceDetails details(ChordItem::dragDescription, &item, {});
    for (const juce::var& id : {juce::var(0), juce::var(21), juce::var(-3), juce::var("x")})
    {
        item.getProperties().set(ChordItem::indexProperty, id);
        unit.itemDropped(details);
        EXPECT_EQ(unitProperty(processor, "p9_chord_type", 3), 1) << id.toString();
    }
    item.getProperties().set(ChordItem::indexProperty, 20);
    EXPECT_TRUE(unit.isInterestedInDragSource(details));
    EXPECT_FALSE(unit.isInterestedInDragSource({"other", &item, {}}));
    unit.itemDropped(details);
    EXPECT_EQ(unitProperty(processor, "p9_chord_type", 3), 20);

    // A stored id above 20 leaves the box empty and stores 0 (read as "Maj").
    processor.paramTree.setProperty("p9_chord_type3", 25, nullptr);
    EXPECT_TRUE(zutest::pumpUntil([&] { return unitProperty(processor, "p9_chord_type", 3) == 0; }));
    EXPECT_EQ(unit.normPanel.typeBox.getSelectedItemIndex(), -1);
    EXPECT_EQ(processor.chordData.chordSlots[2].chordType.load(), 0);

    // So does a chord set's "--" place, and a type past the list.
    for (const int type : {20, 31, 40})
    {
        unit.normPanel.setChordFromId(5);
        juce::ValueTree child("Chord3");
        child.setProperty("chord_type", type, nullptr);
        unit.updateStateFromVt(child);
        EXPECT_EQ(unitProperty(processor, "p9_chord_type", 3), 0) << type;
        EXPECT_EQ(unit.normPanel.typeBox.getSelectedItemIndex(), -1) << type;
    }
}

TEST_F(ChordSetFixture, PoolTilesAreLaidOutSevenToARowWithTheLastPlaceEmpty)
{
    auto& pool = chordSet.getPool();
    pool.setBounds(0, 0, 380, 70);
    // 70 high: margin 3, rows 21 apart.
    EXPECT_EQ(pool.getItem(7).getY() - pool.getItem(0).getY(), 21);
    EXPECT_EQ(pool.getItem(14).getY() - pool.getItem(7).getY(), 21);
    EXPECT_EQ(pool.getItem(0).getHeight(), 19);
    EXPECT_EQ(pool.getItem(19).getX(), pool.getItem(5).getX());
    EXPECT_EQ(pool.getItem(17).getTooltip(), "Drag and drop this chord type to the target note");
    ChordItem outside;
    outside.setChordIndex(25);
    EXPECT_EQ(outside.getChordIndex(), 25);
    ChordItem aug;
    aug.setChordIndex(19);
    EXPECT_EQ(outside.getNameOutline().getBounds(), aug.getNameOutline().getBounds()) << "shows the nearest type";
}

TEST(ChordPool, DraggingDimOntoUnitThreeStoresItsId)
{
    // A window of its own that is the drag container, as the editor is. The
    // tests share one X display: their windows open at its top left and the
    // pointer rests in its middle, and windows appearing under the pointer
    // would send this window real pointer events in the middle of the drag.
    // This one stays clear of both.
    struct DragHost : juce::Component, juce::DragAndDropContainer
    {
    } host;
    ZumiraboxAudioProcessor processor;
    ChordEditPanel chordSet(processor.paramState, processor.paramTree);
    host.addAndMakeVisible(chordSet);
    host.setBounds(0, 600, 640, 341);
    chordSet.setBounds(host.getLocalBounds());
    host.addToDesktop(0);
    host.setVisible(true);
    host.toFront(false);
    auto* peer = host.getPeer();
    ASSERT_NE(peer, nullptr);

    auto& tile = chordSet.getPool().getItem(17);
    auto& unit = chordSet.getUnitsPanel().getUnit(2);
    const auto centreOf = [&](juce::Component& c)
    { return host.getLocalPoint(&c, c.getLocalBounds().getCentre()).toFloat(); };
    const auto send = [&](juce::Point<float> at, juce::ModifierKeys mods)
    {
        peer->handleMouseEvent(juce::MouseInputSource::InputSourceType::mouse, at, mods,
                               juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                               juce::Time::currentTimeMillis());
        zutest::pumpFor(5);
    };
    const auto from = centreOf(tile), to = centreOf(unit);
    const juce::ModifierKeys left(juce::ModifierKeys::leftButtonModifier);
    send(from, {});
    send(from, left);
    for (int step = 1; step <= 20; ++step)
        send(from + (to - from) * ((float) step / 20.0f), left);
    send(to, {});

    EXPECT_TRUE(zutest::pumpUntil([&] { return unitProperty(processor, "p9_chord_type", 3) == 18; }));
    EXPECT_EQ((int) tile.getProperties()[ChordItem::indexProperty], 18);
    EXPECT_EQ(unit.normPanel.typeBox.getText(), "dim");
    for (int n : {1, 2, 4, 12})
        EXPECT_EQ(unitProperty(processor, "p9_chord_type", n), 1) << n;
    // The drag image fades out on the message loop before it goes.
    EXPECT_TRUE(zutest::pumpUntil([&] { return !host.isDragAndDropActive(); }));
    zutest::pumpUntil([] { return !juce::Desktop::getInstance().getAnimator().isAnimating(); });
    zutest::pumpFor(50);
    host.removeFromDesktop();
}

// ---------------------------------------------------------------------------

namespace
{
struct ChordSetFiles : ChordSetFixture
{
    ChordSetFiles()
    {
        folder = zutest::uniqueTempFolder("zu-chord-sets");
        processor.chordPresetFolder = folder.getFullPathName();
    }
    ~ChordSetFiles() override { folder.deleteRecursively(); }

    void saveAs(const juce::String& name)
    {
        menu.saveAsClicked();
        ASSERT_FALSE(desktop.launches.empty());
        desktop.launches.back().done(folder.getChildFile(name));
    }
    // Lists the folder as the Preset button does and loads the file at path.
    void load(const juce::File& file)
    {
        menu.presetFolder = folder.getFullPathName();
        auto list = menu.getMyMenu(true, false);
        const int index = menu.presetFiles.indexOf(file.getFullPathName());
        ASSERT_GE(index, 0) << file.getFullPathName();
        menu.menuHandler(EffectUnitPanelBae::firstFileId + index, menu.presetButton, nullptr);
    }
    // Every chord unit property, for comparing whole states.
    juce::StringArray unitState() const
    {
        juce::StringArray state;
        for (int n = 1; n <= 12; ++n)
        {
            for (const char* stem : {"p9_chord_type", "p9_chord_root", "p9_chord_inv", "p9_chord_custom"})
                state.add(juce::String(unitProperty(processor, stem, n)));
            for (int k = 1; k <= 5; ++k)
                state.add(juce::String(noteProperty(processor, n, k)));
        }
        return state;
    }

    zutest::DesktopRecorder desktop;
    juce::File folder;
};
} // namespace

TEST_F(ChordSetFiles, ASavedSetLoadsBackEveryUnitCustomNotesAndModeIncluded)
{
    units.getUnit(0).normPanel.setChordFromId(18);
    units.getUnit(1).normPanel.invBox.setSelectedId(3, juce::sendNotification);
    units.getUnit(11).normPanel.rootBox.setSelectedId(4, juce::sendNotification);
    auto& four = units.getUnit(3);
    four.customButton.setToggleState(true, juce::sendNotification);
    four.customPanel.getNoteBox(0).setSelectedId(62, juce::sendNotification);
    four.customPanel.getNoteBox(4).setSelectedId(129, juce::sendNotification);
    const auto saved = unitState();

    saveAs("My Set");
    const auto file = folder.getChildFile("My Set.chordset");
    ASSERT_TRUE(file.existsAsFile());
    const auto xml = juce::parseXML(file);
    ASSERT_NE(xml, nullptr);
    EXPECT_EQ(xml->getTagName(), "ChordSet");
    EXPECT_EQ(xml->getStringAttribute("presetname"), "My Set");
    ASSERT_EQ(xml->getNumChildElements(), 12);
    const juce::StringArray order{"chord_type", "chord_root", "chord_inv", "cn1",     "cn2",
                                  "cn3",        "cn4",        "cn5",       "iscustom"};
    for (int k = 0; k < 12; ++k)
    {
        const auto* child = xml->getChildElement(k);
        EXPECT_EQ(child->getTagName(), "Chord" + juce::String(k + 1));
        ASSERT_EQ(child->getNumAttributes(), order.size());
        for (int a = 0; a < order.size(); ++a)
            EXPECT_EQ(child->getAttributeName(a), order[a]);
        EXPECT_EQ(child->getIntAttribute("iscustom"), k == 3 ? 1 : 0) << k;
    }
    EXPECT_EQ(xml->getChildElement(0)->getIntAttribute("chord_type"), 17);
    EXPECT_EQ(xml->getChildElement(3)->getIntAttribute("cn5"), 128);
    EXPECT_EQ(xml->getChildElement(11)->getIntAttribute("chord_root"), 3);
    EXPECT_TRUE(menu.currentPresetPath.isEmpty()) << "saving as changes no current file";

    // Initialize: every unit "Maj", C, "Root", no notes, normal; "Preset".
    menu.menuHandler(EffectUnitPanelBae::initializeId, menu.menuButton, nullptr);
    EXPECT_EQ(menu.presetButton.getButtonText(), "Preset");
    for (int n = 1; n <= 12; ++n)
    {
        for (const char* stem : {"p9_chord_type", "p9_chord_root", "p9_chord_inv"})
            EXPECT_EQ(unitProperty(processor, stem, n), 1) << stem << n;
        EXPECT_EQ(unitProperty(processor, "p9_chord_custom", n), 0) << n;
        for (int k = 1; k <= 5; ++k)
            EXPECT_EQ(noteProperty(processor, n, k), 1);
        EXPECT_TRUE(zutest::pumpUntil([&] { return units.getUnit(n - 1).normPanel.isVisible(); }));
    }

    load(file);
    EXPECT_EQ(unitState(), saved);
    EXPECT_EQ(menu.presetButton.getButtonText(), "My Set");
    EXPECT_TRUE(zutest::pumpUntil([&] { return four.customPanel.isVisible() && !four.normPanel.isVisible(); }));
    EXPECT_TRUE(units.getUnit(0).normPanel.isVisible());
}

TEST_F(ChordSetFiles, OtherFilesChangeNoUnitAndSubfoldersListTheirSets)
{
    units.getUnit(5).normPanel.setChordFromId(9);
    const auto before = unitState();

    // A chord note preset renamed to a chord set has no children.
    folder.getChildFile("Notes.chordset")
        .replaceWithText("<Notes presetname=\"Notes\" chordnote1=\"61\" chordnote2=\"0\" chordnote3=\"0\" "
                         "chordnote4=\"0\" chordnote5=\"0\"/>");
    load(folder.getChildFile("Notes.chordset"));
    EXPECT_EQ(unitState(), before);
    EXPECT_EQ(menu.presetButton.getButtonText(), "Notes");

    // A damaged file changes nothing and does not become the current file.
    folder.getChildFile("Broken.chordset").replaceWithText("<ChordSet><Chord1 chord_type=\"4\"");
    load(folder.getChildFile("Broken.chordset"));
    EXPECT_EQ(unitState(), before);
    EXPECT_EQ(menu.presetButton.getButtonText(), "Notes");
    EXPECT_EQ(menu.currentPresetPath, folder.getChildFile("Notes.chordset").getFullPathName());

    // A document nested far deeper than any preset is refused unread; one
    // of a chord set's depth, with comments and quoted ">" around, loads.
    juce::String deep;
    for (int i = 0; i < 200000; ++i)
        deep << "<a>";
    folder.getChildFile("Deep.chordset").replaceWithText(deep);
    load(folder.getChildFile("Deep.chordset"));
    EXPECT_EQ(unitState(), before);
    EXPECT_EQ(menu.currentPresetPath, folder.getChildFile("Notes.chordset").getFullPathName());
    folder.getChildFile("Shallow.chordset")
        .replaceWithText("<?xml version=\"1.0\"?><!-- <a><b><c> --><ChordSet presetname=\"a>/b\"><Chord1 "
                         "chord_type=\"3\"/><![CDATA[<x><y>]]></ChordSet>");
    load(folder.getChildFile("Shallow.chordset"));
    EXPECT_EQ(unitProperty(processor, "p9_chord_type", 1), 4);

    // A set in a subfolder is listed in that subfolder's submenu.
    auto sub = folder.getChildFile("Jazz");
    sub.createDirectory();
    saveAs("Jazz/Late Night");
    ASSERT_TRUE(sub.getChildFile("Late Night.chordset").existsAsFile());
    menu.presetFolder = folder.getFullPathName();
    const auto list = menu.getMyMenu(true, false);
    const auto entries = zutest::entriesOf(list);
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.front().text, "Jazz");
    EXPECT_TRUE(entries.front().isSubMenu);
    juce::PopupMenu::MenuItemIterator it(list);
    ASSERT_TRUE(it.next());
    const auto inside = zutest::entriesOf(*it.getItem().subMenu);
    ASSERT_EQ(inside.size(), 1u);
    EXPECT_EQ(inside[0].text, "Late Night");
}

TEST_F(ChordSetFiles, SaveOverwritesTheCurrentSetInPlaceAfterAsking)
{
    saveAs("Base");
    const auto file = folder.getChildFile("Base.chordset");
    load(file);
    units.getUnit(6).normPanel.setChordFromId(7);

    processor.chordPresetFolder = folder.getFullPathName();
    menu.saveClicked();
    // The question is asked in the editor; "Overwrite" writes the same file.
    menu.calloutBoxButtonIsClicked(0);
    const auto xml = juce::parseXML(file);
    ASSERT_NE(xml, nullptr);
    EXPECT_EQ(xml->getChildElement(6)->getIntAttribute("chord_type"), 6);
    EXPECT_EQ(folder.findChildFiles(juce::File::findFiles, false).size(), 1) << "no temporary file is left";
    EXPECT_EQ(menu.currentPresetPath, file.getFullPathName());

    // ">" on the last (only) file loads it again; "<" as well.
    units.getUnit(6).normPanel.setChordFromId(2);
    menu.presetArrow(true);
    EXPECT_EQ(unitProperty(processor, "p9_chord_type", 7), 7);
}
