// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuSaveAsWndw.h"

#include "RenameWndw.h"
#include "ZuCallOut.h"
#include "ZuStyleProps.h"
#include "ZumiraboxAudioProcessorEditor.h"

const juce::StringArray ZuSaveAsWndw::categories{
    "None", "Arp",      "Bass", "Brass",       "Drums",   "Guitars", "Leads",  "Mallets", "Keys/Organs",
    "Pads", "Rhythmic", "SFX",  "Soundscapes", "Strings", "Synths",  "Vocals", "Wind"};
const juce::StringArray ZuSaveAsWndw::ratings{"5", "4", "3", "2", "1", "0"};

ZuSaveAsWndw::ZuSaveAsWndw(ZumiraboxAudioProcessorEditor& ed, juce::ValueTree info, juce::String firstText,
                           juce::String defaultAuthor, juce::Colour col1, juce::Colour col2, juce::Colour col3,
                           juce::Colour col4, juce::Colour col5, juce::Colour col6)
    : c1(col1), c2(col2), c3(col3), c4(col4), c5(col5), c6(col6), presetInfo(std::move(info)),
      text(std::move(firstText)), editor(&ed)
{
    int command = 0;
    for (auto* button : {&saveButton, &cancelButton})
    {
        addAndMakeVisible(*button);
        button->setLookAndFeel(&lookAndFeel.get());
        button->getProperties().set(ZuStyle::bgcolor, c1.toString());
        button->getProperties().set(ZuStyle::outlinecolor, c1.brighter(0.5f).toString());
        button->getProperties().set(ZuStyle::corner, 4.0);
        button->setOpaque(true);
        button->setColour(juce::TextButton::buttonOnColourId, c4);
        button->setColour(juce::TextButton::buttonColourId, c3.darker(0.1f));
        button->setColour(juce::TextButton::textColourOffId, c5);
        button->setColour(juce::TextButton::textColourOnId, c6);
        button->setCommandToTrigger(nullptr, command++, false);
    }
    saveButton.onClick = [this] { save(); };
    cancelButton.onClick = [this] { exitWndw(&cancelButton); };

    styleField(nameField);
    styleField(authorField);

    auto name = presetInfo.getProperty("preset_name", "").toString();
    if (name == "--------" || name == "Preset")
        name = {};
    nameField.setText(name, false);
    nameField.onTextChange = [this] { saveButton.setEnabled(nameField.getText().isNotEmpty()); };
    saveButton.setEnabled(name.isNotEmpty());

    auto author = presetInfo.getProperty("preset_author", "").toString();
    authorField.setText(author.isEmpty() ? defaultAuthor : author, false);

    const std::pair<juce::Label*, const char*> captions[] = {{&nameCaption, "Preset Name"},
                                                             {&authorCaption, "Author"},
                                                             {&categoryCaption, "Category"},
                                                             {&ratingCaption, "Rating"}};
    for (auto& [label, caption] : captions)
    {
        addAndMakeVisible(*label);
        label->setLookAndFeel(&lookAndFeel.get());
        label->setText(caption, juce::dontSendNotification);
        label->setJustificationType(juce::Justification::centredLeft);
        label->setEditable(false, false, false);
        label->setOpaque(true);
        label->setColour(juce::Label::backgroundColourId, c1);
        label->setColour(juce::Label::textColourId, c2.darker(0.38f));
        label->getProperties().set(ZuStyle::fontsize, 0.71);
        label->getProperties().set(ZuStyle::fontface, "Medium");
    }

    categoryBox.addItemList(categories, 1);
    ratingBox.addItemList(ratings, 1);
    const int category = (int) presetInfo.getProperty("preset_cate", 0) - categoryOffset;
    categoryBox.setSelectedItemIndex(juce::jlimit(0, categories.size() - 1, category), juce::dontSendNotification);
    const int rating = (int) presetInfo.getProperty("preset_rating", 2) - ratingOffset;
    ratingBox.setSelectedItemIndex(rating < 0 ? 2 : juce::jmin(rating, ratings.size() - 1), juce::dontSendNotification);
    for (auto* box : {&categoryBox, &ratingBox})
    {
        addAndMakeVisible(*box);
        box->setLookAndFeel(&lookAndFeel.get());
        box->getProperties().set(ZuStyle::bgcolor, c1.toString());
        box->getProperties().set(ZuStyle::fontsize, 0.55);
        box->getProperties().set(ZuStyle::fontface, "Medium");
        box->getProperties().set(ZuStyle::arrowsize, 0.1);
        box->setColour(juce::ComboBox::backgroundColourId, c1.darker(0.1f));
        box->setColour(juce::ComboBox::textColourId, c2);
        box->setColour(juce::ComboBox::arrowColourId, c2);
        box->setColour(juce::ComboBox::outlineColourId, c1.brighter(0.5f));
        box->setOpaque(true);
    }
}

ZuSaveAsWndw::~ZuSaveAsWndw()
{
    for (juce::Component* c :
         std::initializer_list<juce::Component*>{&saveButton, &cancelButton, &nameCaption, &authorCaption,
                                                 &categoryCaption, &ratingCaption, &categoryBox, &ratingBox})
        c->setLookAndFeel(nullptr);
}

void ZuSaveAsWndw::styleField(juce::TextEditor& field)
{
    addAndMakeVisible(field);
    field.setSelectAllWhenFocused(true);
    field.setColour(juce::TextEditor::textColourId, c2);
    field.setColour(juce::TextEditor::backgroundColourId, c1.darker(0.1f));
    field.setColour(juce::TextEditor::outlineColourId, c1.brighter(0.5f));
    field.setColour(juce::TextEditor::focusedOutlineColourId, c1.brighter(0.5f));
    field.setColour(juce::TextEditor::highlightedTextColourId, c2.brighter(0.3f));
    field.setFont(juce::LookAndFeel::getDefaultLookAndFeel().getAlertWindowMessageFont());
    field.setInputRestrictions(RenameWndw::maxNameLength);
    field.setMultiLine(false);
    field.setJustification(juce::Justification::centredLeft);
}

juce::String ZuSaveAsWndw::legalName(const juce::String& name)
{
    return name.removeCharacters("\\/:*?|<>\"");
}

void ZuSaveAsWndw::save()
{
    presetInfo.setProperty("preset_name", legalName(nameField.getText()), nullptr);
    presetInfo.setProperty("preset_author", authorField.getText(), nullptr);
    presetInfo.setProperty("preset_cate", categoryOffset + categoryBox.getSelectedItemIndex(), nullptr);
    presetInfo.setProperty("preset_rating", ratingOffset + ratingBox.getSelectedItemIndex(), nullptr);
    exitWndw(&saveButton);
}

void ZuSaveAsWndw::exitWndw(juce::Button*)
{
    zu::callout::dismissEnclosing(*this);
}

void ZuSaveAsWndw::paint(juce::Graphics& g)
{
    g.fillAll(c1);
    g.setColour(c2);
    g.setFont(ZuCLAF_BaseBase::faceFont("Medium", 12.0f, juce::Font::bold));
}

void ZuSaveAsWndw::calcGuiBaseStuff()
{
    const auto b = getLocalBounds();
    const int w = b.getWidth(), h = b.getHeight();
    const int mx = (int) ((float) w * 0.1f), my = (int) ((float) h * 0.05f);
    auto inner =
        juce::Rectangle<int>(b.getX() + mx, b.getY() + my, juce::jmax(w - 2 * mx, 0), juce::jmax(h - 2 * my, 0));
    inner.removeFromBottom(juce::jmin(2, inner.getHeight()));
    const int W = inner.getWidth();

    const int r = juce::jmin((int) ((float) inner.getHeight() * 0.178f), inner.getHeight());
    const int g = (int) ((float) r * 0.2f);

    auto splitRow =
        [&inner, r, g](float factor, juce::Rectangle<int>& caption, juce::Rectangle<int>& field, bool gapAfter)
    {
        auto row = inner.removeFromTop(juce::jmin(r, inner.getHeight()));
        const int ch = juce::jmax(0, juce::jmin((int) ((float) row.getHeight() * factor), row.getHeight()) - 2);
        caption = row.removeFromTop(ch);
        field = row;
        if (gapAfter)
            inner.removeFromTop(juce::jmin(g, inner.getHeight()));
    };
    splitRow(0.435f, nameCaptionArea, nameFieldArea, true);
    splitRow(0.43f, authorCaptionArea, authorFieldArea, true);
    splitRow(0.43f, categoryCaptionArea, categoryBoxArea, true);
    splitRow(0.43f, ratingCaptionArea, ratingBoxArea, false);

    const int bh = juce::jmin((int) ((float) nameFieldArea.getHeight() * 0.86f), inner.getHeight());
    const int bw = juce::jmax(0, (int) ((float) W * 0.435f));
    const auto buttonRow = inner.withTrimmedTop(inner.getHeight() - bh);
    buttonAreas.clear();
    buttonAreas.addWithoutMerging(buttonRow.withWidth(bw));
    buttonAreas.addWithoutMerging(buttonRow.withTrimmedLeft(W - bw));
}

void ZuSaveAsWndw::resized()
{
    calcGuiBaseStuff();
    nameCaption.setBounds(nameCaptionArea);
    nameField.setBounds(nameFieldArea);
    authorCaption.setBounds(authorCaptionArea);
    authorField.setBounds(authorFieldArea);
    categoryCaption.setBounds(categoryCaptionArea);
    categoryBox.setBounds(categoryBoxArea);
    ratingCaption.setBounds(ratingCaptionArea);
    ratingBox.setBounds(ratingBoxArea);
    cancelButton.setBounds(buttonAreas.getRectangle(0));
    saveButton.setBounds(buttonAreas.getRectangle(1));
}
