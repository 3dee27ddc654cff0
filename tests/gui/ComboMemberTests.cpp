// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScreenWriter.h"
#include "SliderSheet.h"
#include "ZuCLAF_Combos.h"
#include "ZuStyleProps.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace
{
using zutest::countNear;
using zutest::StyleProps;

const juce::Colour boxBg(0xff2a3a4a), boxText(0xffd0d0d0), boxOutline(0xff20a0a0), arrow(0xffe08020), layer(0xff000000);

// A box with its member, laid out so that the member places its label.
std::unique_ptr<juce::ComboBox> makeBox(juce::LookAndFeel& laf, int w, int h, const StyleProps& props = {})
{
    auto b = std::make_unique<juce::ComboBox>("box");
    b->setColour(juce::ComboBox::backgroundColourId, boxBg);
    b->setColour(juce::ComboBox::textColourId, boxText);
    b->setColour(juce::ComboBox::outlineColourId, boxOutline);
    b->setColour(juce::ComboBox::arrowColourId, arrow);
    zutest::setProps(*b, props);
    b->addItemList({"C", "C#", "D"}, 1);
    b->setLookAndFeel(&laf);
    b->setBounds(0, 0, w, h);
    return b;
}

juce::Label& labelOf(juce::ComboBox& b)
{
    for (auto* c : b.getChildren())
        if (auto* l = dynamic_cast<juce::Label*>(c))
            return *l;
    throw std::logic_error("combo box without label");
}

juce::Image paintBox(juce::ComboBox& b)
{
    return zutest::paintImage(b.getWidth(), b.getHeight(),
                              [&](juce::Graphics& g) { b.paintEntireComponent(g, false); });
}

TEST(ComboMembers, LabelPlacementTable)
{
    ZuShared<ZuCLAF_FlatMenu> flat;
    ZuShared<ZuCLAF_EventMenu> event;
    ZuShared<ZuCLAF_FlatMenu2> flat2;
    ZuShared<ZuCLAF_CornerFlatMenu> corner;
    ZuShared<ZuCLAF_BaseNoteMenu> baseNote;
    ZuShared<ZuCLAF_CcNumbMenu> ccNumb;
    ZuShared<ZuCLAF_SeqStepMenu> seqStep;
    ZuShared<ZuCLAF_RootMenu> root;
    ZuShared<ZuCLAF_ChordNoteMenu> chordNote;
    ZuShared<ZuCLAF_ChordNoteMenu2> chordNote2;
    struct Case
    {
        const char* what;
        juce::LookAndFeel* laf;
        StyleProps props;
        juce::Rectangle<int> bounds;
        juce::Justification just;
        float minScale;
    };
    const auto c = juce::Justification(juce::Justification::centred);
    const std::vector<Case> cases = {
        {"FlatMenu", &flat.get(), {}, {2, 0, 75, 20}, c, 0.1f},
        {"CornerFlatMenu", &corner.get(), {}, {2, 0, 75, 20}, c, 0.1f},
        {"BaseNoteMenu", &baseNote.get(), {}, {2, 0, 90, 20}, c, 0.1f},
        {"EventMenu", &event.get(), {{ZuStyle::arrowsize, 0.2}}, {0, 0, 80, 20}, c, 0.5f},
        {"SeqStepMenu arrowflag 0", &seqStep.get(), {{ZuStyle::arrowflag, 0}}, {2, 0, 80, 20}, c, 0.1f},
        {"RootMenu", &root.get(), {}, {0, 0, 85, 20}, c, 0.1f},
        {"FlatMenu2 arrowsize 0.5",
         &flat2.get(),
         {{ZuStyle::arrowsize, 0.5}},
         {2, 0, 65, 20},
         juce::Justification::centredLeft,
         0.1f},
        {"CcNumbMenu", &ccNumb.get(), {}, {0, 0, 100, 20}, c, 0.1f},
        {"ChordNoteMenu", &chordNote.get(), {}, {0, 0, 100, 20}, c, 0.1f},
        {"ChordNoteMenu2", &chordNote2.get(), {}, {0, 0, 100, 20}, c, 0.1f},
    };
    for (const auto& k : cases)
    {
        auto b = makeBox(*k.laf, 100, 20, k.props);
        auto& label = labelOf(*b);
        // A justification given by the owner holds only until the next layout.
        label.setJustificationType(juce::Justification::centredLeft);
        b->setBounds(0, 0, 100, 21);
        b->setBounds(0, 0, 100, 20);
        EXPECT_EQ(label.getBounds(), k.bounds) << k.what;
        EXPECT_EQ(label.getJustificationType(), k.just) << k.what;
        EXPECT_FLOAT_EQ(label.getMinimumHorizontalScale(), k.minScale) << k.what;
        b->setLookAndFeel(nullptr);
    }
}

TEST(ComboMembers, FlatMenu2TrianglePlacedByArrowSize)
{
    ZuShared<ZuCLAF_FlatMenu2> flat2;
    auto b = makeBox(*flat2, 100, 40, {{ZuStyle::arrowsize, 0.5}});
    b->setText("", juce::dontSendNotification);
    const auto ink = zutest::inkBoundsIn(paintBox(*b), {40, 2, 59, 36}, boxBg);
    b->setLookAndFeel(nullptr);
    EXPECT_EQ(ink.getX(), 51);
    EXPECT_EQ(ink.getRight(), 99);
    EXPECT_EQ(ink.getY(), 15);               // 0.39 H
    EXPECT_NEAR(ink.getBottom(), 24.4, 1.0); // tip at 0.61 H
    // The tip is at x 75.
    EXPECT_EQ(
        zutest::inkBoundsIn(paintBox(*makeBox(*flat2, 100, 40, {{ZuStyle::arrowsize, 0.5}})), {40, 23, 59, 1}, boxBg)
            .getCentreX(),
        75);
}

TEST(ComboMembers, PopupOptions)
{
    ZuShared<ZuCLAF_FlatMenu> flat;
    ZuShared<ZuCLAF_RootMenu> root;
    ZuShared<ZuCLAF_SeqStepMenu> seqStep;
    ZuShared<ZuCLAF_FlatMenu2> flat2;
    ZuShared<ZuCLAF_EventMenu> event;
    struct Case
    {
        const char* what;
        juce::LookAndFeel* laf;
        int w, h, minWidth, itemHeight, minColumns;
    };
    const Case cases[] = {{"SeqStepMenu 20 px label", &seqStep.get(), 30, 20, 50, 23, 1},
                          {"FlatMenu", &flat.get(), 30, 40, 50, 16, 1},
                          {"RootMenu", &root.get(), 120, 40, 50, 16, 1},
                          {"FlatMenu2", &flat2.get(), 120, 30, 120, 30, 8},
                          {"EventMenu: JUCE's", &event.get(), 120, 30, 120, 30, 1}};
    for (const auto& c : cases)
    {
        auto b = makeBox(*c.laf, c.w, c.h);
        const auto options = c.laf->getOptionsForComboBoxPopupMenu(*b, labelOf(*b));
        EXPECT_EQ(options.getMinimumWidth(), c.minWidth) << c.what;
        EXPECT_EQ(options.getStandardItemHeight(), c.itemHeight) << c.what;
        EXPECT_EQ(options.getMinimumNumColumns(), c.minColumns) << c.what;
        EXPECT_EQ(options.getMaximumNumColumns(), 1) << c.what;
        EXPECT_EQ(options.getTargetComponent(), b.get()) << c.what;
        b->setLookAndFeel(nullptr);
    }
}

TEST(ComboMembers, CornerFlagsAndDisabledFaces)
{
    struct Case
    {
        StyleProps props;
        std::array<bool, 4> rounded;
    };
    const Case cases[] = {{{{ZuStyle::corner_r, 1}, {ZuStyle::corner_b, 1}}, {true, false, false, false}},
                          {{{ZuStyle::corner_l, 2}}, {true, true, true, true}},
                          {{{ZuStyle::corner_l, 1}}, {false, true, false, true}},
                          {{{ZuStyle::corner_t, 1}}, {false, false, true, true}}};
    for (const auto& c : cases)
    {
        juce::Component box;
        zutest::setProps(box, c.props);
        EXPECT_EQ(ZuCLAF_CornerFlatMenu::roundedCorners(box), c.rounded);
    }

    // Drawn: a square corner reaches the very corner pixel, a rounded one not.
    ZuShared<ZuCLAF_CornerFlatMenu> corner;
    auto b = makeBox(*corner, 60, 20, {{ZuStyle::corner_r, 1}, {ZuStyle::corner_b, 1}});
    const auto image = paintBox(*b);
    EXPECT_LT(countNear(image, boxOutline, 60, {0, 0, 1, 1}), 1);
    EXPECT_EQ(countNear(image, boxOutline, 60, {59, 0, 1, 1}), 1);
    EXPECT_EQ(countNear(image, boxOutline, 60, {0, 19, 1, 1}), 1);

    // Disabled: the flat menu fades frame and arrow, the corner menu darkens
    // its frame and fades only its arrow.
    ZuShared<ZuCLAF_FlatMenu> flat;
    for (juce::LookAndFeel* laf : std::initializer_list<juce::LookAndFeel*>{&flat.get(), &corner.get()})
    {
        auto d = makeBox(*laf, 60, 20);
        d->setEnabled(false);
        const auto faded = paintBox(*d);
        EXPECT_EQ(countNear(faded, arrow, 30), 0);
        EXPECT_GT(countNear(faded, juce::Colour(0xff000000).overlaidWith(arrow.withAlpha(0.4f)), 30) +
                      countNear(faded, boxBg.overlaidWith(arrow.withAlpha(0.4f)), 30),
                  5);
        d->setLookAndFeel(nullptr);
    }
    b->setLookAndFeel(nullptr);
}

TEST(ComboMembers, EventMenuEmptyTextAndSquareArrows)
{
    ZuShared<ZuCLAF_EventMenu> event;
    auto b = makeBox(*event, 100, 24, {{ZuStyle::corner, 1.0}});
    b->setTextWhenNothingSelected("None");
    b->setSelectedId(0, juce::dontSendNotification);
    const auto enabledImage = paintBox(*b);
    EXPECT_GT(countNear(enabledImage, boxText, 40), 10);
    b->setEnabled(false);
    const auto disabledImage = paintBox(*b);
    EXPECT_EQ(countNear(disabledImage, boxText, 40), 0);
    EXPECT_GT(countNear(disabledImage, boxText.darker(0.9f), 20), 10);
    b->setLookAndFeel(nullptr);

    ZuShared<ZuCLAF_SeqStepMenu> seqStep;
    auto withArrow = makeBox(*seqStep, 100, 24), without = makeBox(*seqStep, 100, 24, {{ZuStyle::arrowflag, 0}});
    withArrow->setSelectedId(0, juce::dontSendNotification);
    without->setSelectedId(0, juce::dontSendNotification);
    const juce::Rectangle<int> arrowArea(82, 2, 16, 20);
    EXPECT_GT(countNear(paintBox(*withArrow), boxBg.interpolatedWith(boxText, 0.6f), 30, arrowArea), 5);
    EXPECT_TRUE(zutest::inkBoundsIn(paintBox(*without), arrowArea, boxBg).isEmpty());
    withArrow->setLookAndFeel(nullptr);
    without->setLookAndFeel(nullptr);
}

TEST(ComboMembers, ChordNoteMenu2SplitsNoteNames)
{
    struct Case
    {
        const char* text;
        const char* upper;
        const char* lower;
        bool whole;
    };
    const Case cases[] = {{"C", "", "C", true},        {"C3", "C", "3", false}, {"C#3", "C#", "3", false},
                          {"C#-1", "C#", "-1", false}, {"", "", "", false},     {"C#-10", "", "", false}};
    for (const auto& c : cases)
    {
        const auto lines = ZuCLAF_ChordNoteMenu2::splitLines(c.text);
        EXPECT_EQ(lines.upper, c.upper) << c.text;
        EXPECT_EQ(lines.lower, c.lower) << c.text;
        EXPECT_EQ(lines.whole, c.whole) << c.text;
    }
}

TEST(ComboMembers, ChordNoteLabelsDrawOnlyTheirText)
{
    ZuShared<ZuCLAF_ChordNoteMenu> chordNote;
    ZuShared<ZuCLAF_ChordNoteMenu2> chordNote2;
    auto labelImage = [](juce::LookAndFeel& laf, const juce::String& text)
    {
        juce::Label label;
        label.setSize(40, 40);
        label.setColour(juce::Label::textColourId, boxText);
        label.setColour(juce::Label::backgroundColourId, juce::Colours::red);
        label.setText(text, juce::dontSendNotification);
        return zutest::paintImage(40, 40, [&](juce::Graphics& g) { laf.drawLabel(g, label); });
    };
    const auto empty = labelImage(*chordNote2, "");
    EXPECT_TRUE(zutest::inkBounds(empty, juce::Colour(0xff000000)).isEmpty()); // no background
    EXPECT_TRUE(zutest::sameImage(labelImage(*chordNote2, "C#-10"), empty));
    // Two lines: the octave below the note name.
    const auto twoLines = labelImage(*chordNote2, "C#3");
    const auto upper = zutest::inkBoundsIn(twoLines, {0, 0, 40, 20}, juce::Colour(0xff000000));
    const auto lower = zutest::inkBoundsIn(twoLines, {0, 20, 40, 20}, juce::Colour(0xff000000));
    EXPECT_FALSE(upper.isEmpty());
    EXPECT_FALSE(lower.isEmpty());
    EXPECT_LT(lower.getWidth(), upper.getWidth());
    const auto oneLine = labelImage(*chordNote, "C#3");
    EXPECT_GT(countNear(oneLine, boxText, 40), 10);
    EXPECT_EQ(countNear(oneLine, juce::Colours::red, 40), 0);
}

TEST(ComboScreens, AllTenMembers)
{
    ZuShared<ZuCLAF_FlatMenu> flat;
    ZuShared<ZuCLAF_EventMenu> event;
    ZuShared<ZuCLAF_FlatMenu2> flat2;
    ZuShared<ZuCLAF_CornerFlatMenu> corner;
    ZuShared<ZuCLAF_BaseNoteMenu> baseNote;
    ZuShared<ZuCLAF_CcNumbMenu> ccNumb;
    ZuShared<ZuCLAF_SeqStepMenu> seqStep;
    ZuShared<ZuCLAF_RootMenu> root;
    ZuShared<ZuCLAF_ChordNoteMenu> chordNote;
    ZuShared<ZuCLAF_ChordNoteMenu2> chordNote2;
    struct Row
    {
        const char* title;
        juce::LookAndFeel* laf;
        StyleProps props;
        int w, h;
    };
    const Row rows[] = {
        {"FlatMenu", &flat.get(), {{ZuStyle::corner, 2.0}, {ZuStyle::fontsize, 0.55}}, 110, 22},
        {"EventMenu", &event.get(), {{ZuStyle::corner, 1.0}, {ZuStyle::fontsize, 0.62}}, 110, 22},
        {"FlatMenu2", &flat2.get(), {{ZuStyle::arrowsize, 0.2}}, 110, 22},
        {"CornerFlatMenu", &corner.get(), {{ZuStyle::corner_r, 1}, {ZuStyle::corner_b, 1}}, 110, 22},
        {"BaseNoteMenu", &baseNote.get(), {{ZuStyle::fontsize, 0.65}, {ZuStyle::corner, 2.0}}, 110, 22},
        {"CcNumbMenu", &ccNumb.get(), {{ZuStyle::corner, 2.0}}, 110, 22},
        {"SeqStepMenu", &seqStep.get(), {{ZuStyle::fontsize, 0.72}}, 110, 22},
        {"RootMenu", &root.get(), {}, 110, 22},
        {"ChordNoteMenu", &chordNote.get(), {{ZuStyle::fontsize, 0.7}}, 40, 40},
        {"ChordNoteMenu2", &chordNote2.get(), {}, 40, 40},
    };
    std::vector<std::vector<zutest::SheetCell>> sheet;
    for (const auto& r : rows)
    {
        std::vector<zutest::SheetCell> cells;
        for (int state = 0; state < 3; ++state)
        {
            auto b = makeBox(*r.laf, r.w, r.h, r.props);
            b->clear(juce::dontSendNotification);
            b->addItemList({"C#3", "Velocity", "D-1"}, 1);
            b->setTextWhenNothingSelected("None");
            b->setSelectedId(state == 1 ? 0 : 1, juce::dontSendNotification);
            b->setEnabled(state != 2);
            cells.push_back({juce::String(r.title) + (state == 0   ? ""
                                                      : state == 1 ? " empty"
                                                                   : " disabled"),
                             paintBox(*b)});
            b->setLookAndFeel(nullptr);
        }
        sheet.push_back(cells);
    }
    EXPECT_TRUE(zutest::writeScreen(zutest::sheetOf(sheet, 260, 100), "gui-combos.png"));
}
} // namespace
