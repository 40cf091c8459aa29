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

    # 17 significant digits in the raw text.
    assert "0.33333333333333331" in subprocess.run(
        [exe], input=json.dumps({"op": "eval", "text": "1/3", "x": 0}) + "\n",
        capture_output=True, text=True, check=True).stdout
    print("panecalc protocol: ok")


if __name__ == "__main__":
    main()
