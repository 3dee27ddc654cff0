// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZumiraboxAudioProcessorEditor.h"

#include "ZuEditorAccess.h"
#include "ZuMirabox_CenterContent.h"

int ZumiraboxAudioProcessorEditor::numOpenEditors = 0;

const juce::String ZumiraboxAudioProcessorEditor::aboutText =
    "ZU-MIRA8 " + juce::String(ZumiraboxAudioProcessor::pluginVersionString) +
    " by Zurvana\nVST is a trademark of Steinberg Media Technologies GmbH, registered in Europe and other countries.";

ZumiraboxAudioProcessorEditor::ZumiraboxAudioProcessorEditor(ZumiraboxAudioProcessor& p, MirabelGlobalData& globalData,
                                                             CtrPtchSqData& pitchData, LfoData& lfoData,
                                                             ScaleData& scaleData, ChordData& chordData,
                                                             juce::ValueTree midiMapTree, juce::Value modPolarity,
                                                             juce::Value hoveredSource)
    : juce::AudioProcessorEditor(p), processor(p)
{
    focusPolicy.attachTo(*this);
    background.setOpaque(true);
    background.setBufferedToImage(true);
    background.setInterceptsMouseClicks(false, true);

    modPolValue.referTo(modPolarity);
    indctSrcValue.referTo(hoveredSource);
    ++numOpenEditors;
    juce::LookAndFeel::setDefaultLookAndFeel(&lookAndFeel.get());
    // Fonts resolved by name before this look-and-feel became the default
    // would keep the system face.
    juce::Typeface::clearTypefaceCache();
    indctSrcValue.setValue("off");

    addAndMakeVisible(background);

    mainPanel = std::make_unique<ZuMirabox_MainPanel>(access.getParameterState(), access.getMainTree(),
                                                      access.getParamTree(), midiMapTree, globalData, pitchData,
                                                      lfoData, scaleData, chordData, modPolValue, indctSrcValue);
    addAndMakeVisible(*mainPanel);

    startTimer(resizeRulesTimer, resizeRulesDelayMs);
    startTimer(presetNameTimer, presetNameDelayMs);
    startTimer(skinTimer, skinDelayMs);

    background.toBack();

    launchSaveAsChooser = [this](const juce::File& startFolder) { startSaveAsChooser(startFolder); };

    const float scale = juce::jmax(access.getSettings().scaleFactor, PluginSettingState::minScaleFactor);
    setSize((int) ((float) baseWidth * scale), (int) ((float) baseHeight * scale));
}

ZumiraboxAudioProcessorEditor::~ZumiraboxAudioProcessorEditor()
{
    stopTimer(resizeRulesTimer);
    stopTimer(presetNameTimer);
    stopTimer(skinTimer);

    auto& settings = access.getSettings();
    settings.setLastWidthHeight({getWidth(), getHeight()});
    settings.setScaleFactor((float) juce::jmax(getWidth(), 1) / (float) baseWidth);
    settings.updateAndSaveSettingFile();

    fileChooser.reset();
    messageWindow.reset();
    mainPanel.reset();
    // With the editor gone no note editor shows what MIDI chord entry takes.
    access.setChordNoteTarget(-1);

    // Only the last editor resets the default; the share member then releases
    // the instance (or leaves it to the panels that still hold it).
    if (--numOpenEditors == 0)
    {
        juce::LookAndFeel::setDefaultLookAndFeel(nullptr);
        juce::Typeface::clearTypefaceCache();
    }
}

void ZumiraboxAudioProcessorEditor::resized()
{
    const float s = (float) juce::jmax(getWidth(), 50) / (float) baseWidth;
    access.getSettings().setScaleFactor(s);
    const auto transform = juce::AffineTransform::scale(s, s);
    background.setBounds(0, 0, baseWidth, baseHeight);
    background.setTransform(transform);
    if (mainPanel != nullptr)
    {
        mainPanel->setBounds(0, 0, baseWidth, baseHeight);
        mainPanel->setTransform(transform);
    }
    keepHostWindowInStep();
}

void ZumiraboxAudioProcessorEditor::keepHostWindowInStep()
{
    // In a host, the editor sits in the plug-in wrapper's window. On Linux
    // JUCE's wrapper resizes the X window and the host's, but leaves its own
    // component at the old size, and the window's peer later sets the window
    // back to that component's bounds when it next redraws from scratch: the
    // host shows the new size, then the old one. Resizing the holder with us
    // keeps the three in step. (Standalone or in tests there is no holder on
    // the desktop, and a host's own resize arrives here already in step.)
    auto* holder = getParentComponent();
    if (holder == nullptr || !holder->isOnDesktop())
        return;
    const auto wanted = holder->getLocalArea(this, getLocalBounds()).withPosition(holder->getPosition());
    if (holder->getBounds() != wanted)
        holder->setBounds(wanted);
}

void ZumiraboxAudioProcessorEditor::applyResizeRules()
{
    // The limits hold for the corner and the host's own resizing only:
    // JUCE's setResizeLimits would also force the current size into them, so
    // a stored scale below the corner's minimum (0.4) or a "50%" resize would
    // jump back to 0.55, and a host that does not follow shows the editor cut.
    setResizable(true, true);
    if (auto* c = getConstrainer())
    {
        c->setSizeLimits(minWidth, minHeight, maxWidth, maxHeight);
        c->setFixedAspectRatio((double) baseAspect);
    }
}

void ZumiraboxAudioProcessorEditor::timerCallback(int timerId)
{
    stopTimer(timerId);
    switch (timerId)
    {
    case resizeRulesTimer:
        applyResizeRules();
        break;
    case presetNameTimer:
        if (mainPanel != nullptr)
            mainPanel->menuPanel.setPresetButtonText(
                access.getParamTree().getProperty("presetname", "Preset").toString());
        break;
    case skinTimer:
        if (mainPanel != nullptr)
        {
            mainPanel->setSkinMode(1);
            background.colour = colorTheme->entry(0, 1);
            background.repaint();
        }
        break;
    default:
        break;
    }
}

void ZumiraboxAudioProcessorEditor::handleCommandMessage(int commandId)
{
    if (commandId == stateLoadedCommand && mainPanel != nullptr)
        mainPanel->presetIsChanged();
}

void ZumiraboxAudioProcessorEditor::closeModFloatWndw()
{
    if (auto* window = findChildWithID("floatmodwndw"))
        removeChildComponent(window);
    if (mainPanel != nullptr)
        mainPanel->closeModFloatWndw();
}

void ZumiraboxAudioProcessorEditor::closeChordFloatWndw()
{
    if (auto* window = findChildWithID("floatchordwndw"))
        removeChildComponent(window);
    if (mainPanel != nullptr)
        mainPanel->closeChordFloatWndw();
}

int ZumiraboxAudioProcessorEditor::getModSrcPolarity(int unitType, int instance, int slot)
{
    return access.getModSrcPolarity(unitType, instance, slot) ? 1 : 0;
}

void ZumiraboxAudioProcessorEditor::OpenPresetFolderNotFoundWndw()
{
    openMessageWndw(folderNotFoundTitle, {}, 0.21f);
}

void ZumiraboxAudioProcessorEditor::openPresetFolderPermDeniedWndw()
{
    openMessageWndw(permissionDeniedTitle, permissionDeniedText, 0.21f);
}

void ZumiraboxAudioProcessorEditor::openAboutWndw()
{
    openMessageWndw(aboutText, {}, 0.15f);
}

void ZumiraboxAudioProcessorEditor::openPluginMenu(juce::Button* button)
{
    openMyPluginMenu(button, this);
    if (button != nullptr)
        button->setState(juce::Button::buttonNormal);
}

void ZumiraboxAudioProcessorEditor::openPresetMenu(juce::Button* button)
{
    auto folder = presetFolder();
    auto current = access.getSettings().curPresetPath;
    if (folder.isNotEmpty())
        openMyPresetMenu(button, folder, current, this);
    if (button != nullptr)
        button->setState(juce::Button::buttonNormal);
    repaint();
}

juce::String ZumiraboxAudioProcessorEditor::presetFolder() const
{
    return access.getSettings().presetLocation.toString();
}

void ZumiraboxAudioProcessorEditor::initializeAllParamValues()
{
    access.initializeAllParamValues();
    access.getGlobalData().initChainerData();
    access.getChordData().init();
    access.getScaleData().init();
    access.getSettings().setCurPresetPath({});
    if (mainPanel != nullptr)
        mainPanel->initAllTriggered();
}

void ZumiraboxAudioProcessorEditor::menuItemSelected(int itemId)
{
    if (itemId <= 0)
        return;
    if (itemId >= firstResizeCommand && itemId <= lastResizeCommand)
    {
        const auto size = resizeCommandSize(itemId, baseWidth, baseHeight);
        setSize(size.x, size.y);
        access.getSettings().setScaleFactor(0.5f + 0.1f * (float) (itemId - firstResizeCommand));
        return;
    }

    switch (itemId)
    {
    case saveCommand:
        savePreset(0);
        break;
    case saveAsCommand:
        savePreset(1);
        break;
    case initializeCommand:
        initializeAllParamValues();
        break;
    case setPresetFolderCommand:
        access.getSettings().selectPresetFolderLocation();
        break;
    case openPresetFolderCommand:
    {
        const auto folder = presetFolder();
        if (juce::File::isAbsolutePath(folder) && juce::File(folder).isDirectory())
            ZuDesktop::openFolder(juce::File(folder));
        else
            OpenPresetFolderNotFoundWndw();
        break;
    }
    case visitMakerCommand:
    case manualCommand:
    case bugReportCommand:
        getLinkButton(itemId - visitMakerCommand).triggerClick();
        break;
    case aboutCommand:
        openAboutWndw();
        break;
    case resetWindowSizeCommand:
        setSize(baseWidth, baseHeight);
        break;
    default:
        loadMyPreset(itemId);
        break;
    }
}

void ZumiraboxAudioProcessorEditor::openMessageWndw(const juce::String& title, const juce::String& text,
                                                    float sizeFactor)
{
    const juce::Colour black(0xff000000);
    messageWindow = std::make_unique<ZuMessageWindow>(title, text, sizeFactor, juce::Colour(0xff505050),
                                                      juce::Colour(0xffdddddd), black, black, black, black);
    messageWindow->toFront(false);
    addAndMakeVisible(*messageWindow);
    messageWindow->setBounds(getLocalBounds());
    shownMessageTitle = title;
    shownMessageText = text;
}

void ZumiraboxAudioProcessorEditor::closeMessageWndw()
{
    if (messageWindow == nullptr)
        return;
    removeChildComponent(messageWindow.get());
    messageWindow->setVisible(false);
    messageWindow->setEnabled(false);
    messageWindow->toBack();
    messageWindow.reset();
    shownMessageTitle = {};
    shownMessageText = {};
}

namespace
{
// The unit column, wherever the editor's panels hold it.
ZuMirabox_CenterContent* findCenterContent(juce::Component& root)
{
    for (auto* child : root.getChildren())
    {
        if (auto* content = dynamic_cast<ZuMirabox_CenterContent*>(child))
            return content;
        if (auto* found = findCenterContent(*child))
            return found;
    }
    return nullptr;
}
} // namespace

void ZumiraboxAudioProcessorEditor::unitNameChanged(int unitId, juce::String name)
{
    if (auto* content = findCenterContent(*this))
        content->unitNameChanged(unitId, name);
}
