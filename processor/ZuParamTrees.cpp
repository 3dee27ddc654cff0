// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuParamBase.h"
#include "ZuParamTrees.h"

void ZuParamBase::createParamTree()
{
    zu::unitops::createParamTree(paramTree, snapTree);
}

namespace
{
// The editor's "maintree" as a new instance holds it.
juce::ValueTree buildMainTree()
{
    juce::ValueTree m("maintree");
    m.setProperty("sq1_btmtab", 0, nullptr);
    m.setProperty("mod_order", "MOD:", nullptr);
    m.setProperty("mod_wndwhfactor", (double) 0.4f, nullptr);
    m.setProperty("chord_wndwhfactor", (double) 0.43f, nullptr);
    m.setProperty("chord_edit", 0, nullptr);
    m.setProperty("btm_wndwsel", 0.0, nullptr);
    for (int k = 1; k <= 7; ++k)
        m.setProperty("sq1_rndrng" + juce::String(k), 1.0, nullptr);
    for (int k = 1; k <= 7; ++k)
        m.setProperty("sq1_prmlck" + juce::String(k), 0, nullptr);
    static const char* unitLabels[] = {"PITCH 1", "PITCH 2", "PITCH 3", "PITCH 4", "PARAM 1",
                                       "PARAM 2", "PARAM 3", "PARAM 4", "CC 1",    "CC 2",
                                       "CC 3",    "CC 4",    "Oct/Tp",  "RACK 1",  "RACK 2"};
    for (int u = 1; u <= ZuParamBase::numUnits; ++u)
        m.setProperty("unitlabel" + juce::String(u), unitLabels[u - 1], nullptr);

    static constexpr double pitchSetAll[] = {0.0, 2.0, 100.0, 50.0, 100.0, 0.0, 1.0, 0.0};
    static constexpr double seqSetAll[] = {0.0, 100.0, 1.0};
    static constexpr double octSetAll[] = {0.0, 2.0, 100.0, 1.0};

    m.setProperty("sq1_setall_tar", 0, nullptr);
    for (int k = 1; k <= 8; ++k)
        m.setProperty("sq1_setall_val" + juce::String(k), pitchSetAll[k - 1], nullptr);
    m.setProperty("ctstate", "CT:", nullptr);
    m.setProperty("c_scl_o", 0, nullptr);
    m.setProperty("c_scl_p", 0.0, nullptr);

    auto rangesAndLocks = [&m](const juce::String& head, int count)
    {
        for (int k = 1; k <= count; ++k)
        {
            m.setProperty(head + "_rndrng" + juce::String(k), 1.0, nullptr);
            m.setProperty(head + "_prmlck" + juce::String(k), 0, nullptr);
        }
    };
    auto setAll = [&m](const juce::String& head, const double* values, int count)
    {
        m.setProperty(head + "_setall_tar", 0, nullptr);
        for (int k = 1; k <= count; ++k)
            m.setProperty(head + "_setall_val" + juce::String(k), values[k - 1], nullptr);
    };

    for (int n = 1; n <= 4; ++n)
    {
        const auto pch = "c_pchsq" + juce::String(n);
        const auto prm = "c_prmsq" + juce::String(n);
        const auto cc = "c_ccsq" + juce::String(n);
        m.setProperty(pch + "_tab", 0, nullptr);
        m.setProperty(prm + "_tab", 0, nullptr);
        m.setProperty(cc + "_tab", 0, nullptr);
        rangesAndLocks(pch, 7);
        rangesAndLocks(prm, 3);
        rangesAndLocks(cc, 3);
        setAll(pch, pitchSetAll, 8);
        setAll(prm, seqSetAll, 3);
        setAll(cc, seqSetAll, 3);
    }
    m.setProperty("c_octsq_tab", 0, nullptr);
    setAll("c_octsq1", octSetAll, 4);
    rangesAndLocks("c_octsq1", 3);
    for (int n = 1; n <= 8; ++n)
        m.setProperty("macrolabel" + juce::String(n), "Macro", nullptr);

    return m;
}

// The three trees every new instance starts with. Built once per process by
// the first instance (a function's static is initialised once, whichever
// thread comes first), detached, so building them tells no listener; never
// changed afterwards, so instances on any thread may copy them at once.
struct StartTrees
{
    juce::ValueTree main, param, snap;
};
const StartTrees& startTrees()
{
    static const StartTrees trees = []
    {
        StartTrees t;
        t.main = buildMainTree();
        t.param = juce::ValueTree("param");
        zu::unitops::createParamTree(t.param, t.snap);
        return t;
    }();
    return trees;
}
} // namespace

const juce::ValueTree& ZuParamBase::layoutParamTree()
{
    return startTrees().param;
}

void ZuParamBase::preparePlugin()
{
    paramIds.clear();
    for (int i = 0; i < ZuKern_ParamProfile::numParams; ++i)
        paramIds.add({});

    for (int i = 0; i < ZuKern_ParamProfile::numParams; ++i)
    {
        const auto id = paramProfile.getParamID(i);
        paramState.addParameterListener(id, this);
        paramIds.set(i, id);
        parameterChanged(id, paramProfile.getDefVal(i));
    }

    // Each instance holds its own deep copy, made before any listener is
    // attached; then the listener hears each property of "param" itself, in
    // order, as if it had been set on a new tree.
    const auto& start = startTrees();
    mainTree = start.main.createCopy();
    snapTree = start.snap.createCopy();
    paramTree = start.param.createCopy();
    paramTree.addListener(this);
    for (int i = 0; i < paramTree.getNumProperties(); ++i)
    {
        const auto name = paramTree.getPropertyName(i);
        valueTreePropertyChanged(paramTree, name);
    }
}
