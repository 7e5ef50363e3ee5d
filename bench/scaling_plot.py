#!/usr/bin/env python3
"""Reads drawing_bench's JSON output (--benchmark_out=FILE --benchmark_out_format=json), fits the
UpdateTools scaling runs to time = tools * (per_tool + per_pixel * size^2), writes an SVG plot of
the measured times beside the fit, and prints the costs and the table as Markdown.

    build/bench/drawing_bench --benchmark_filter=Scaling --benchmark_repetitions=7 \\
        --benchmark_out=scaling.json --benchmark_out_format=json
    bench/scaling_plot.py scaling.json bench/scaling.svg

Only the standard library: the plot is written by hand.
"""
import json
import math
import re
import sys

NAME = re.compile(r"^BM_UpdateTools_Scaling/tools:(\d+)/size:(\d+)(?:_median)?$")
COLOURS = {16: "#1f77b4", 32: "#d62728", 64: "#2ca02c"}


def read_runs(path):
    """(tools, size) -> CPU time in microseconds: the medians when the run has them."""
    with open(path) as f:
        report = json.load(f)
    medians, plain = {}, {}
    for b in report["benchmarks"]:
        m = NAME.match(b["name"])
        if not m:
            continue
        key = (int(m.group(1)), int(m.group(2)))
        scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}[b.get("time_unit", "ns")]
        time = b["cpu_time"] * scale
        if b.get("aggregate_name") == "median":
            medians[key] = time
        elif b.get("run_type", "iteration") == "iteration":
            plain.setdefault(key, []).append(time)
    if medians:
        return medians
    return {k: sorted(v)[len(v) // 2] for k, v in plain.items()}


def fit(runs):
    """Least squares of time / tools = per_tool + per_pixel * size^2, both in microseconds."""
    xs = [size * size for (_, size) in runs]
    ys = [t / tools for (tools, _), t in runs.items()]
    n = len(xs)
    mx, my = sum(xs) / n, sum(ys) / n
    sxx = sum((x - mx) ** 2 for x in xs)
    sxy = sum((x - mx) * (y - my) for x, y in zip(xs, ys))
    per_pixel = sxy / sxx
    return my - per_pixel * mx, per_pixel


def svg(runs, per_tool, per_pixel, path):
    width, height, left, right, top, bottom = 640, 420, 70, 20, 30, 50
    tools = sorted({t for t, _ in runs})
    sizes = sorted({s for _, s in runs})
    lo_x, hi_x = math.log10(min(tools)), math.log10(max(tools))
    times = list(runs.values())
    lo_y = math.floor(math.log10(min(times)))
    hi_y = math.ceil(math.log10(max(times)))

    def px(t):
        return left + (math.log10(t) - lo_x) / (hi_x - lo_x) * (width - left - right)

    def py(us):
        return height - bottom - (math.log10(us) - lo_y) / (hi_y - lo_y) * (height - top - bottom)

    out = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
           f'font-family="sans-serif" font-size="12">',
           f'<rect width="{width}" height="{height}" fill="white"/>',
           f'<text x="{width / 2}" y="18" text-anchor="middle">UpdateTools, CPU time per call '
           f'(points: medians; dashed: the fit)</text>',
           f'<text x="{left + 20}" y="{top + 24 + 18 * 3}">fit: {per_tool * 1e3:.0f} ns per tool '
           f'+ {per_pixel * 1e3:.3f} ns per pixel</text>']
    for e in range(lo_y, hi_y + 1):
        y = py(10 ** e)
        out.append(f'<line x1="{left}" y1="{y:.1f}" x2="{width - right}" y2="{y:.1f}" '
                   f'stroke="#ddd"/>')
        out.append(f'<text x="{left - 6}" y="{y + 4:.1f}" text-anchor="end">{10 ** e:g} µs</text>')
    for t in tools:
        x = px(t)
        out.append(f'<line x1="{x:.1f}" y1="{top}" x2="{x:.1f}" y2="{height - bottom}" '
                   f'stroke="#ddd"/>')
        out.append(f'<text x="{x:.1f}" y="{height - bottom + 16}" text-anchor="middle">{t:,}</text>')
    out.append(f'<text x="{(left + width - right) / 2}" y="{height - 12}" '
               f'text-anchor="middle">tools</text>')
    for i, s in enumerate(sizes):
        colour = COLOURS.get(s, "black")
        model = " ".join(f"{px(t):.1f},{py(t * (per_tool + per_pixel * s * s)):.1f}"
                         for t in tools)
        out.append(f'<polyline points="{model}" fill="none" stroke="{colour}" '
                   f'stroke-dasharray="5,4"/>')
        for t in tools:
            if (t, s) in runs:
                out.append(f'<circle cx="{px(t):.1f}" cy="{py(runs[(t, s)]):.1f}" r="4" '
                           f'fill="{colour}"/>')
        out.append(f'<circle cx="{left + 20}" cy="{top + 20 + 18 * i}" r="4" fill="{colour}"/>')
        out.append(f'<text x="{left + 30}" y="{top + 24 + 18 * i}">{s} x {s} pixels</text>')
    out.append("</svg>")
    with open(path, "w") as f:
        f.write("\n".join(out) + "\n")


def main():
    if len(sys.argv) != 3:
        sys.exit(f"usage: {sys.argv[0]} BENCHMARK.json PLOT.svg")
    runs = read_runs(sys.argv[1])
    if not runs:
        sys.exit("no BM_UpdateTools_Scaling results in " + sys.argv[1])
    per_tool, per_pixel = fit(runs)
    svg(runs, per_tool, per_pixel, sys.argv[2])
    print(f"Per tool: {per_tool * 1e3:.0f} ns; per pixel: {per_pixel * 1e3:.3f} ns "
          f"(least squares of time / tools over size^2).\n")
    sizes = sorted({s for _, s in runs})
    print("| tools | " + " | ".join(f"{s} px" for s in sizes) + " |")
    print("|---:|" + "---:|" * len(sizes))
    for t in sorted({t for t, _ in runs}):
        cells = [f"{runs[(t, s)]:,.1f} µs" if (t, s) in runs else "" for s in sizes]
        print(f"| {t:,} | " + " | ".join(cells) + " |")


if __name__ == "__main__":
    main()
