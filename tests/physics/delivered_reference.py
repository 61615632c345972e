#!/usr/bin/env python3
"""Independent derivation of delivered designs (DeliveredDesignTest.cpp, CliTest.cpp).

Reads the shipped catalogue CSVs and works in the catalogue's own units (inches, cm, gauss,
mW/cm³, Ω/km) as an engineer would by hand, walking the turns up from N = 1; it never runs the
program. deliver((L H, Idc A, ripple A p-p, f Hz, J A/m², Ku), core, material, stack) gives
one design's figures as a dict, for example
  python3 -c "import delivered_reference as d; print(d.deliver((100e-6, 5, 1, 100e3, 4e6, 0.4), 'T106', '-26', 1))"
"""
import csv
import math
import os

PI = 3.141592654          # the program's π
MU0 = 4 * PI * 1e-7       # H/m
RHO20 = 1.7241e-8         # Ω·m, annealed copper
ALPHA = 0.00393           # 1/K
DATA = os.path.join(os.path.dirname(__file__), '..', '..', 'data', 'catalogue')


def table(name):
    with open(os.path.join(DATA, name), newline='') as f:
        return list(csv.DictReader(f))


MATERIALS = {r['MatNo']: r for r in table('Materials.csv')}
CURVES = {r['MatNo']: [float(r[k]) for k in 'abc'] for r in table('Bias_Curves.csv')}
WIRES = {int(r['AWG']): [float(r[k]) for k in ('BareDiameter', 'OverallDiameter', 'Resistance20C')]
         for r in table('Wires.csv')}
CORES = {r['CoreNo']: ('E', r) for r in table('E-Cores.csv')}
CORES.update({r['CoreNo']: ('T', r) for r in table('Toroids.csv')})


def inductance(n, i, mui, curve, ac_cm2, lc_cm, gap_mm):
    a, b, c = curve
    h_oe = 0.4 * PI * n * i / lc_cm
    mu = mui * (1 / (a + b * h_oe ** c)) / 100
    return MU0 * mu * n * n * ac_cm2 * 1e-4 / (gap_mm * 1e-3 * mu + lc_cm * 0.01)


def dowell(x, m):
    skin = (math.sinh(2 * x) + math.sin(2 * x)) / (math.cosh(2 * x) - math.cos(2 * x))
    prox = (math.sinh(x) - math.sin(x)) / (math.cosh(x) + math.cos(x))
    return x * (skin + 2 * (m * m - 1) / 3 * prox)


def deliver(spec, core_no, mat, k, ambient=25.0):
    l_req, idc, iac, f, j_a_per_m2, ku = spec
    irms = math.sqrt(idc ** 2 + (iac / 2 / math.sqrt(3)) ** 2)
    ipk = idc + iac / 2
    kind, core = CORES[core_no]
    m = MATERIALS[mat]
    ac, vc, lc = float(core['AC']) * k, float(core['VC']) * k, float(core['LC'])
    gap = float(core['GAP']) if kind == 'E' else 0.0
    mui, curve = float(m['Permeab']), CURVES[mat]
    out = {}
    # Turns: walk up from 1.
    n, previous = 1, None
    while True:
        l = inductance(n, idc, mui, curve, ac, lc, gap)
        if l >= l_req:
            break
        if previous is not None and l < previous:
            return {'unreachable': 'falls'}
        previous, n = l, n + 1
        if n > 100000:
            return {'unreachable': 'beyond 100000 turns'}
    out['N'] = n
    for key, i in (('L0', 0), ('Lidc', idc), ('Lipk', ipk)):
        out[key] = inductance(n, i, mui, curve, ac, lc, gap)
    # Core loss, gauss and mW/cm³.
    b = l_req * iac * 1e8 / (2 * n * ac)
    al, bl, cl, dl = (float(m[x]) for x in ('al', 'bl', 'cl', 'dl'))
    pv = f / (al / b ** 3 + bl / b ** 2.3 + cl / b ** 1.65) + dl * f * f * b * b
    out['Pcore'] = pv * 1e-3 * vc
    out['Wcore'] = float(m['Density']) * vc
    # Gauge and wire (cm).
    aw_req = irms / (j_a_per_m2 * 1e-4)
    out['AWG'] = awg = math.floor(-9.922 * math.log10(aw_req) - 2.691 + 0.5)
    bare, over, r_km = WIRES[awg]
    do = over / 10
    if kind == 'T':
        od, id_, ht = (float(core[x]) for x in ('OD', 'ID', 'HT'))
        ht *= k
        layers, left, layer = [], n, 1
        while left > 0:
            room = math.floor(PI * (id_ * 2.54 - (2 * layer - 1) * do) / do)
            if room < 1:
                break
            layers.append(min(left, room))
            left -= layers[-1]
            layer += 1
        fits = left == 0
        window = PI * (id_ * 2.54) ** 2 / 4
        innermost = 2 * ((od - id_) / 2 + ht) * 2.54
        surface = PI * 2.54 ** 2 * ((od * od - id_ * id_) / 2 + (od + id_) * ht)
    else:
        a, b_, c, d, f_, g = (float(core[x + '_dim']) for x in 'abcdfg')
        c *= k
        per_layer = math.floor(g * 2.54 / do)
        needed = -(-n // per_layer)
        fits = needed * do <= (d - f_) / 2 * 2.54
        layers = [min(per_layer, n - i * per_layer) for i in range(needed)]
        window = float(core['WC'])
        innermost = 2 * (f_ + c) * 2.54
        surface = 2 * 2.54 ** 2 * (a * b_ + a * c + b_ * c)
    out['layers'] = len(layers) if fits or kind == 'T' else needed
    out['turns_laid'] = sum(layers)
    out['fill'] = n * PI * do * do / 4 / window
    out['fits'] = fits and out['fill'] <= ku
    if not fits:
        return out
    mlt = sum(t * (innermost + 8 * (i + 0.5) * do) for i, t in enumerate(layers)) / n
    rdc20 = mlt * n * r_km / 1e5

    def copper(t):
        factor = 1 + ALPHA * (t - 20)
        r, rho = rdc20 * factor, RHO20 * factor
        p_ac, fr1 = 0.0, None
        for h in range(1, 20, 2):
            delta = math.sqrt(rho / (PI * h * f * MU0))
            x = (PI / 4) ** 0.75 * (bare * 1e-3 / delta) * math.sqrt(bare / over)
            fr = dowell(x, len(layers))
            fr1 = fr if h == 1 else fr1
            i_h = 4 * iac / (PI * PI * h * h * math.sqrt(2))
            p_ac += i_h * i_h * r * fr
        return r, fr1, idc * idc * r, p_ac

    t, settled, rounds = ambient, False, 0
    while rounds < 100 and not settled:
        rounds += 1
        _, _, p_dc, p_ac = copper(t)
        t_next = ambient + ((p_dc + p_ac + out['Pcore']) * 1e3 / (1.1 * surface)) ** 0.833
        settled, t = abs(t_next - t) < 0.01, t_next
        if t > 250:
            break
    r_hot, fr1, p_dc, p_ac = copper(t)
    out.update(Rdc20=rdc20, Rhot=r_hot, Fr=fr1, PcuDc=p_dc, PcuAc=p_ac,
               Ptot=p_dc + p_ac + out['Pcore'], Thot=t, rounds=rounds,
               Wcu=mlt * n * PI / 4 * (bare / 10) ** 2 * 8.89)
    out['Wtot'] = out['Wcu'] + out['Wcore']
    return out
