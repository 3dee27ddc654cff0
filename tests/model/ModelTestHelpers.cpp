// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModelTestHelpers.h"

FieldList fieldsOf(const CtrPtchSqData& m, bool withNames)
{
    FieldList f(withNames);
    for (int u = 0; u < CtrPtchSqData::numUnits; ++u)
    {
        const auto& unit = m.units[(size_t) u];
        addHeader(f, unit, u, true);
        for (int s = 0; s < 8; ++s)
        {
            const auto& snap = unit.snaps[(size_t) s];
            const auto head = unitName(u, s);
            addClockFields(f, snap, u, s);
            f.add(snap.relmode ? 1.0 : 0.0, [&] { return head + "relmode"; });
            f.addParam(snap.relbn, [&] { return head + "relbn"; });
            f.addParam(snap.goct, [&] { return head + "goct"; });
            f.addParam(snap.tp, [&] { return head + "tp"; });
            for (int n = 0; n < 32; ++n)
            {
                const auto& st = snap.steps[(size_t) n];
                f.addParam(st.pch, [&] { return stepName(u, s, n, "pch"); });
                f.addParam(st.relpch, [&] { return stepName(u, s, n, "relpch"); });
                f.addParam(st.oct, [&] { return stepName(u, s, n, "oct"); });
                f.addParam(st.vel, [&] { return stepName(u, s, n, "vel"); });
                f.addParam(st.gate, [&] { return stepName(u, s, n, "gate"); });
                f.addParam(st.prob, [&] { return stepName(u, s, n, "prob"); });
                f.addParam(st.slr, [&] { return stepName(u, s, n, "slr"); });
                f.addParam(st.spwr, [&] { return stepName(u, s, n, "spwr"); });
            }
        }
    }
    return f;
}
