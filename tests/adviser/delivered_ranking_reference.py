#!/usr/bin/env python3
"""Independent ranking of delivered designs for DeliveredRankingTest.cpp.

Run once (python3 tests/adviser/delivered_ranking_reference.py); its rows are pasted into the
test. Every core of the shipped catalogue CSVs, in every material its link rows list, on 1, 2
and 3 stacked cores, is delivered by tests/physics/delivered_reference.py (which works in the
catalogue's own units and never runs the program) and judged here: feasible when L at Idc is
reached, the winding goes on with a fill within Ku, L at Ipk is at least 70 % of the required
L and the copper settles at or below 125 °C. It prints the counts, the Pareto set and the top
three by true total weight and by hot total loss.
"""
import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..', 'physics'))
import delivered_reference as ref  # noqa: E402

IPK_FAIL_PERCENT = 70
LIMIT_C = 125
SPECS = {  # L, Idc, ΔI p-p, f, J (A/m²), Ku
    '100 uH / 5 A / 1 A / 100 kHz': (100e-6, 5, 1, 100e3, 400e4, 0.4),
    '5 mH / 10 A / 2 A / 60 Hz': (5e-3, 10, 2, 60, 400e4, 0.4),
}


def links():
    for table in ('Core_Materials.csv', 'Toroid_Materials.csv'):
        for row in ref.table(table):
            yield row['Core'], row['Mat']


def feasible(spec, o):
    if 'unreachable' in o or not o['fits'] or 'Thot' not in o:
        return False
    runaway = o['rounds'] >= 100 or o['Thot'] > 250
    return (o['Lidc'] >= spec[0] and 100 * o['Lipk'] / spec[0] >= IPK_FAIL_PERCENT
            and o['Thot'] <= LIMIT_C and not runaway)


def pareto(rows):
    def beaten(r):
        return any(s['Ptot'] <= r['Ptot'] and s['Wtot'] <= r['Wtot']
                   and (s['Ptot'] < r['Ptot'] or s['Wtot'] < r['Wtot']) for s in rows)
    return sorted((r['core'], r['mat'], r['k']) for r in rows if not beaten(r))


def main():
    for name, spec in SPECS.items():
        rows, count = [], 0
        for core, mat in links():
            for k in (1, 2, 3):
                count += 1
                o = ref.deliver(spec, core, mat, k)
                if feasible(spec, o):
                    rows.append(dict(o, core=core, mat=mat, k=k))
        print(f'// {name}: {count} candidates, {len(rows)} feasible, Pareto set {pareto(rows)}')
        for key, label in (('Wtot', 'weight'), ('Ptot', 'loss')):
            print(f'// by {label}: core, material, stack, turns, AWG, layers, L(Idc) H, '
                  'hot total W, hot rise C, total g')
            for r in sorted(rows, key=lambda r: (r[key], r['core'], r['mat'], r['k']))[:3]:
                print(f'{{"{r["core"]}", "{r["mat"]}", {r["k"]}, {r["N"]}, {r["AWG"]}, '
                      f'{r["layers"]}, {r["Lidc"]:.10g}, {r["Ptot"]:.10g}, '
                      f'{r["Thot"] - 25:.10g}, {r["Wtot"]:.10g}}},')


if __name__ == '__main__':
    main()
