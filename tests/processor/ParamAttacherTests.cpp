// SPDX-License-Identifier: GPL-3.0-or-later
// Binding widgets to value-tree properties.
#include "ZuParamAttacher.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace
{
const juce::Identifier key{"p1m11_dir"};

// Records every property notification of a tree, as the processor's tree
// listener would see it.
struct TreeRecorder : juce::ValueTree::Listener
{
    explicit TreeRecorder(juce::ValueTree t) : tree(std::move(t)) { tree.addListener(this); }
    ~TreeRecorder() override { tree.removeListener(this); }
    void valueTreePropertyChanged(juce::ValueTree& changed, const juce::Identifier& property) override
    {
        seen.push_back(changed.getProperty(property));
    }
    juce::ValueTree tree;
    std::vector<juce::var> seen;
};

// A label that remembers every text it was given.
struct RecordingLabel : juce::Label
{
    void textWasChanged() override { texts.add(getText()); }
    juce::StringArray texts;
};

juce::MouseEvent mouseEvent(juce::Component& target, juce::ModifierKeys mods, int clicks)
{
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent(juce::Desktop::getInstance().getMainMouseSource(), {10.0f, 5.0f}, mods,
                            juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                            juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
                            juce::MouseInputSource::defaultTiltY, &target, &target, now, {10.0f, 5.0f}, now, clicks,
                            false);
}

juce::NormalisableRange<double> range0to5()
{
    return {0.0, 5.0, 1.0};
}
} // namespace

TEST(ParamAttacher, SliderCreatesAMissingPropertyAsDoubleWithTheDefault)
{
    juce::ValueTree tree("seq");
    juce::Slider slider;
    ZuParamAttacher::attachToSlider(tree, key, 2.0f, range0to5(), slider);

    ASSERT_TRUE(tree.hasProperty(key));
    EXPECT_TRUE(tree[key].isDouble());
    EXPECT_EQ((double) tree[key], 2.0);
    EXPECT_EQ(slider.getValue(), 2.0);
    EXPECT_EQ(slider.getMinimum(), 0.0);
    EXPECT_EQ(slider.getMaximum(), 5.0);
    EXPECT_EQ(slider.getInterval(), 1.0);
    EXPECT_TRUE(slider.isDoubleClickReturnEnabled());
    EXPECT_EQ(slider.getDoubleClickReturnValue(), 2.0);
}

TEST(ParamAttacher, ExistingPropertiesAreNeverOverwritten)
{
    const juce::var stored[] = {juce::var(4), juce::var(3.0), juce::var("1")};
    for (const auto& value : stored)
    {
        juce::ValueTree tree("seq");
        tree.setProperty(key, value, nullptr);
        TreeRecorder recorder(tree);
        juce::Slider slider;
        ZuParamAttacher::attachToSlider(tree, key, 2.0f, range0to5(), slider);
        EXPECT_TRUE(tree[key].equalsWithSameType(value)) << value.toString();
        EXPECT_EQ(slider.getValue(), (double) value);
        EXPECT_TRUE(recorder.seen.empty());
    }

    juce::ValueTree tree("seq");
    tree.setProperty("box", 3, nullptr);
    tree.setProperty("btn", false, nullptr);
    tree.setProperty("lbl", "stored", nullptr);
    juce::ComboBox box;
    box.addItemList({"a", "b", "c", "d"}, 1);
    juce::ToggleButton button;
    juce::Label label;
    ZuParamAttacher::attachToComboBox(tree, "box", 1, box);
    ZuParamAttacher::attachToButton(tree, "btn", true, button);
    ZuParamAttacher::attachToLabel(tree, "lbl", "default", label);
    EXPECT_TRUE(tree["box"].equalsWithSameType(3));
    EXPECT_TRUE(tree["btn"].equalsWithSameType(false));
    EXPECT_TRUE(tree["lbl"].equalsWithSameType("stored"));
    EXPECT_EQ(box.getSelectedId(), 3);
    EXPECT_FALSE(button.getToggleState());
    EXPECT_EQ(label.getText(), "stored");
}

TEST(ParamAttacher, SliderEditsReachTheTreeSynchronously)
{
    juce::ValueTree tree("seq");
    juce::Slider slider;
    ZuParamAttacher::attachToSlider(tree, key, 0.0f, {0.0, 1.0}, slider);
    TreeRecorder recorder(tree);

    slider.setValue(0.75, juce::sendNotificationAsync);
    ASSERT_EQ(recorder.seen.size(), 1u);
    EXPECT_TRUE(recorder.seen[0].isDouble());
    EXPECT_EQ((double) tree[key], 0.75);

    // A change made elsewhere is what the slider shows.
    tree.setProperty(key, 0.25, nullptr);
    EXPECT_EQ(slider.getValue(), 0.25);
}

TEST(ParamAttacher, DoubleClickAndAltClickReturnTheSliderToItsDefault)
{
    juce::ValueTree tree("seq");
    juce::Slider slider;
    slider.setBounds(0, 0, 100, 20);
    ZuParamAttacher::attachToSlider(tree, key, 0.5f, {0.0, 1.0}, slider);

    slider.setValue(0.9);
    slider.mouseDoubleClick(mouseEvent(slider, juce::ModifierKeys::leftButtonModifier, 2));
    EXPECT_EQ((double) tree[key], 0.5);

    slider.setValue(0.1);
    slider.mouseDown(mouseEvent(
        slider, juce::ModifierKeys(juce::ModifierKeys::leftButtonModifier | juce::ModifierKeys::altModifier), 1));
    EXPECT_EQ((double) tree[key], 0.5);
}

TEST(ParamAttacher, NonFiniteSliderPropertiesCountAsMissing)
{
    for (const auto& bad : {juce::var(std::numeric_limits<double>::quiet_NaN()),
                            juce::var(std::numeric_limits<double>::infinity()), juce::var("inf")})
    {
        juce::ValueTree tree("seq");
        tree.setProperty(key, bad, nullptr);
        juce::Slider slider;
        ZuParamAttacher::attachToSlider(tree, key, 3.0f, range0to5(), slider);
        EXPECT_EQ((double) tree[key], 3.0) << bad.toString();
        EXPECT_EQ(slider.getValue(), 3.0);
    }
}

TEST(ParamAttacher, ComboBoxBindsTheSelectedItemId)
{
    juce::ValueTree tree("seq");
    juce::ComboBox box;
    box.addItemList({"a", "b", "c", "d", "e"}, 1);
    ZuParamAttacher::attachToComboBox(tree, "sel", 2, box);

    EXPECT_TRUE(tree["sel"].equalsWithSameType(2));
    EXPECT_EQ(box.getSelectedId(), 2);

    TreeRecorder recorder(tree);
    box.setSelectedId(5, juce::sendNotificationAsync);
    ASSERT_EQ(recorder.seen.size(), 1u);
    EXPECT_TRUE(tree["sel"].equalsWithSameType(5));
}

TEST(ParamAttacher, ComboBoxValuesThatAreNoItemShowNothing)
{
    struct Case
    {
        juce::var stored;
        juce::var expected;
        int selectedIndex;
    };
    const Case cases[] = {
        {juce::var(99), juce::var(99), -1},
        {juce::var(std::numeric_limits<double>::quiet_NaN()), juce::var(2), 1},
        {juce::var(1.0e12), juce::var(std::numeric_limits<int>::max()), -1},
        {juce::var(-1.0e12), juce::var(std::numeric_limits<int>::min()), -1},
        {juce::var(3.0), juce::var(3.0), 2},
    };
    for (const auto& c : cases)
    {
        juce::ValueTree tree("seq");
        tree.setProperty("sel", c.stored, nullptr);
        juce::ComboBox box;
        box.addItemList({"a", "b", "c"}, 1);
        ZuParamAttacher::attachToComboBox(tree, "sel", 2, box);
        EXPECT_EQ((int) tree["sel"], (int) c.expected) << c.stored.toString();
        EXPECT_EQ(box.getSelectedItemIndex(), c.selectedIndex) << c.stored.toString();
    }
}

TEST(ParamAttacher, ButtonsCreateAnIntAndWriteABoolOnChange)
{
    for (const bool defaultState : {true, false})
    {
        juce::ValueTree tree("seq");
        juce::ToggleButton toggle;
        juce::TextButton text;
        ZuParamAttacher::attachToButton(tree, "a", defaultState, toggle);
        ZuParamAttacher::attachToButton(tree, "b", defaultState, text);

        EXPECT_TRUE(tree["a"].equalsWithSameType(defaultState ? 1 : 0));
        EXPECT_TRUE(tree["b"].equalsWithSameType(defaultState ? 1 : 0));
        EXPECT_EQ(toggle.getToggleState(), defaultState);
        EXPECT_EQ(text.getToggleState(), defaultState);

        TreeRecorder recorder(tree);
        toggle.setToggleState(!defaultState, juce::sendNotificationAsync);
        ASSERT_EQ(recorder.seen.size(), 1u);
        EXPECT_TRUE(tree["a"].equalsWithSameType(!defaultState));

        tree.setProperty("b", !defaultState, nullptr);
        EXPECT_EQ(text.getToggleState(), !defaultState);
    }
}

TEST(ParamAttacher, LabelsShowTheStoredTextOrTheDefault)
{
    {
        juce::ValueTree tree("seq");
        RecordingLabel label;
        ZuParamAttacher::attachToLabel(tree, "name", "Unit", label);
        EXPECT_TRUE(tree["name"].equalsWithSameType("Unit"));
        EXPECT_EQ(label.getText(), "Unit");

        TreeRecorder recorder(tree);
        label.setText("Lead", juce::sendNotificationAsync);
        ASSERT_EQ(recorder.seen.size(), 1u);
        EXPECT_EQ(tree["name"].toString(), "Lead");
    }
    {
        juce::ValueTree tree("seq");
        tree.setProperty("name", "Bass", nullptr);
        RecordingLabel label;
        ZuParamAttacher::attachToLabel(tree, "name", "Unit", label);
        EXPECT_EQ(label.getText(), "Bass");
        EXPECT_FALSE(label.texts.contains("Unit"));
        EXPECT_EQ(tree["name"].toString(), "Bass");
    }
}

TEST(ParamAttacher, ModulationPrefixes)
{
    EXPECT_EQ(ZuParamAttacher::getModParamHead(0, 1, 2), "p6m123_");
    EXPECT_EQ(ZuParamAttacher::getModParamHead(4, 1, 7), "p6m528_");
    EXPECT_EQ(ZuParamAttacher::getModParamHead(0, 0, 0), "p6m111_");
    EXPECT_EQ(ZuParamAttacher::getModParamHead(3, 0), "p6m410_");
    EXPECT_EQ(ZuParamAttacher::getModParamHead(0, 1), "p6m120_");
    EXPECT_EQ(ZuParamAttacher::getModParamHead(0, 1) + "tab", "p6m120_tab");

    juce::SharedResourcePointer<ZuParamAttacher> shared;
    EXPECT_EQ(shared->getModParamHead(1, 3, 4), "p6m245_");
}
