"""Pipes JSON Lines through panecalc and checks the answers."""
import json
import subprocess
import sys

REQUESTS = [
    {"op": "eval", "text": "2+3*4", "x": 0},
    {"op": "eval", "text": "5/0", "x": 0},
    {"op": "eval", "text": "x*2", "x": 3},
    # 20 m square, squared-sum family: cut 54, fill 24.
    {"op": "pane", "points": [[0, 0], [20, 0], [20, 20], [0, 20]],
     "first": [100.3, 100.6, 99.6, 99.8], "second": [100, 100, 100, 100],
     "settings": {"CALTUFMODE": "1"}},
    # Triangle of plan area 6 with heights 1.
    {"op": "pane", "points": [[0, 0], [4, 0], [0, 3]], "first": [1, 1, 1], "second": [0, 0, 0]},
    # An L of six corners, constant fill height 0.5: area 268.
    {"op": "pane", "points": [[0, 0], [20, 0], [20, 8], [9, 8], [9, 20], [0, 20]],
     "first": [0] * 6, "second": [0.5] * 6},
    "this is not json",
    {"op": "pane", "points": [[0, 0], [1, 0]], "first": [1, 1], "second": [0, 0]},
    {"op": "unknown"},
    {"op": "eval", "text": "[1+2]*{3}", "x": 0},
]


# Two corners at one plan point (different elevations), at survey coordinates.
X, Y = 3512433.5646660337, 2801244.3124309727
COINCIDENT = {"op": "pane", "points": [[X, Y], [X, Y], [3512426.2840432376, 2801238.6521697976]],
              "first": [378.97258569783173, 455.22558019329756, 21.148512566409863],
              "second": [103.33477119996147, 100.74022735289563, 100.34103084989444]}
FAMILIES = [{}, {"CALTUFTriMODE": "1"},
            {"CALTUFTriMODE": "0", "CalTuFFormula5": "[+V=a+b+c+x]"}]

# A pentagon whose first three corners lie on one slanted line, so that its
# first triangle is flat; heights linear over it, geometric variant.
FLAT_IN_POLYGON = {
    "op": "pane",
    "points": [[3512345.678, 2801234.567], [3512350.294672465, 2801232.705114459],
               [3512364.5775973788, 2801226.944867966], [3512370.6753030056, 2801242.0645458694],
               [3512351.7757056267, 2801249.686677903]],
    "first": [-44.429807435786955, 31.0226352092171, 264.4551736895009, 331.6649841002433,
              22.780002974955465],
    "second": [100.0, 101.38500173953362, 105.669879213674, 107.49919090173208,
               101.82931168805808],
    "settings": {"CALTUFTriMODE": "1"}}


def linear_volumes(points, heights):
    """Fill and cut of a height field linear over a convex polygon: the polygon
    clipped at the zero line, h integrated over each part by a fan from its
    first corner."""
    def part(sign):
        kept = []
        for i, (p, h) in enumerate(zip(points, heights)):
            q, g = points[(i + 1) % len(points)], heights[(i + 1) % len(points)]
            if sign * h >= 0:
                kept.append((p, h))
            if h * g < 0:
                t = h / (h - g)
                kept.append(([p[0] + (q[0] - p[0]) * t, p[1] + (q[1] - p[1]) * t], 0.0))
        total = 0.0
        for (a, ha), (b, hb), (c, hc) in ((kept[0], kept[i], kept[i + 1])
                                          for i in range(1, len(kept) - 1)):
            area = ((b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0])) / 2
            total += area * (ha + hb + hc) / 3
        return abs(total)
    return part(-1), part(1)


def main():
    exe = sys.argv[1]
    lines = [r if isinstance(r, str) else json.dumps(r) for r in REQUESTS]
    out = subprocess.run([exe], input="\n".join(lines) + "\n", capture_output=True,
                         text=True, encoding="utf-8", check=True).stdout.splitlines()
    assert len(out) == len(lines), out
    answers = [json.loads(line) for line in out]

    assert answers[0] == {"value": 14, "error": ""}, answers[0]
    assert answers[1] == {"value": 5, "error": " Divide by zero!"}, answers[1]
    assert answers[2]["value"] == 6, answers[2]

    square = answers[3]
    assert list(square) == ["fill_volume", "cut_volume", "fill_area", "cut_area", "fill_formula",
                            "fill_process", "cut_formula", "cut_process"], list(square)
    assert abs(square["cut_volume"] - 54) < 1e-9 and abs(square["fill_volume"] - 24) < 1e-9
    assert square["fill_formula"] == "(a^2*(h3+h4)^2)/(4*(h1+h2+h3+h4))", square
    assert square["cut_process"].startswith("((20*20)*(0.3+0.6)^2)"), square

    triangle = answers[4]
    assert triangle["cut_volume"] == 6 and triangle["cut_formula"] == "s*(h1+h2+h3)/3", triangle

    ell = answers[5]
    assert set(ell) == {"fill_volume", "cut_volume"}, ell
    assert abs(ell["fill_volume"] - 134) < 1e-9 and ell["cut_volume"] == 0, ell

    for k in (6, 7, 8):
        assert set(answers[k]) == {"error"} and answers[k]["error"], answers[k]
    assert answers[9]["value"] == 9, answers[9]

    # No area and no volume for a triangle flat in the plan, in every family;
    # the exact volume of a polygon cut into a flat triangle among others.
    flat = [dict(COINCIDENT, settings=f) for f in FAMILIES] + [FLAT_IN_POLYGON]
    out = subprocess.run([exe], input="\n".join(json.dumps(r) for r in flat) + "\n",
                         capture_output=True, text=True, check=True).stdout.splitlines()
    for family, line in zip(FAMILIES, out):
        answer = json.loads(line)
        for key in ("fill_volume", "cut_volume", "fill_area", "cut_area"):
            assert answer[key] == 0, (family, answer)
    polygon = json.loads(out[-1])
    heights = [f - s for f, s in zip(FLAT_IN_POLYGON["first"], FLAT_IN_POLYGON["second"])]
    fill, cut = linear_volumes(FLAT_IN_POLYGON["points"], heights)
    assert abs(polygon["fill_volume"] - fill) <= 1e-9 * fill, (polygon, fill)
    assert abs(polygon["cut_volume"] - cut) <= 1e-9 * cut, (polygon, cut)

    # 17 significant digits in the raw text.
    assert "0.33333333333333331" in subprocess.run(
        [exe], input=json.dumps({"op": "eval", "text": "1/3", "x": 0}) + "\n",
        capture_output=True, text=True, check=True).stdout
    print("panecalc protocol: ok")


if __name__ == "__main__":
    main()
