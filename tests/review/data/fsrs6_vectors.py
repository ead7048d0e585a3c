#!/usr/bin/python3
"""Writes fsrs6_vectors.tsv: review histories with the memory state, the
next interval and the due time that FSRS-6 gives them.

The formulas are FSRS-6 as the open-spaced-repetition project publishes
them: the wiki page "The Algorithm" (section FSRS-6) of
open-spaced-repetition/fsrs4anki, and its reference implementations fsrs-rs
(src/model.rs) and ts-fsrs (packages/fsrs/src/algorithm.ts), from which
these lines were written anew in plain Python, apart from the C++ under
test. Where py-fsrs differs (it lets a same-day Hard lower the stability),
fsrs-rs and ts-fsrs are followed. Default parameters, desired retention
0.9, no fuzz, no learning steps; intervals are whole days, at least 1,
rounded half away from zero; a review within 24 hours of the one before is
a same-day (short-term) review, otherwise the elapsed days are whole 24-hour
periods.

Each history is a list of RATING@SECONDS (seconds from the first review);
the columns after it are the stability, the difficulty, the next interval in
days and the due time in seconds from the first review.

    fsrs6_vectors.py > fsrs6_vectors.tsv
"""
import math

W = [0.212, 1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194, 0.001, 1.8722, 0.1666, 0.796,
     1.4835, 0.0614, 0.2629, 1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542]
DECAY = -W[20]
FACTOR = 0.9 ** (1 / DECAY) - 1
DAY = 86400
GRADE = {"A": 1, "H": 2, "G": 3, "E": 4}


def clamp(x, lo, hi):
    return max(lo, min(hi, x))


def r_of(t, s):
    return (1 + FACTOR * t / s) ** DECAY


def interval_days(s, r=0.9):
    i = s / FACTOR * (r ** (1 / DECAY) - 1)
    return int(clamp(math.floor(i + 0.5), 1, 36500))


def d0(g):
    return W[4] - math.exp(W[5] * (g - 1)) + 1


def next_d(d, g):
    damped = d + (-W[6] * (g - 3)) * (10 - d) / 9
    return clamp(W[7] * d0(4) + (1 - W[7]) * damped, 1, 10)


def step(s, d, g, days):
    if days == 0:
        sinc = math.exp(W[17] * (g - 3 + W[18])) * s ** -W[19]
        if g >= 2:
            sinc = max(sinc, 1)
        ns = s * sinc
    else:
        r = r_of(days, s)
        if g == 1:
            ns = min(W[11] * d ** -W[12] * ((s + 1) ** W[13] - 1) * math.exp(W[14] * (1 - r)),
                     s / math.exp(W[17] * W[18]))
        else:
            hp = W[15] if g == 2 else 1
            eb = W[16] if g == 4 else 1
            ns = s * (1 + math.exp(W[8]) * (11 - d) * s ** -W[9] * (math.exp(W[10] * (1 - r)) - 1) * hp * eb)
    return clamp(ns, 0.001, 36500), next_d(d, g)


def run(history):
    s = d = None
    last = None
    for item in history.split():
        rating, at = item.split("@")
        g, t = GRADE[rating], int(at)
        if s is None:
            s, d = clamp(W[g - 1], 0.001, 36500), clamp(d0(g), 1, 10)
        else:
            s, d = step(s, d, g, max(t - last, 0) // DAY)
        last = max(t, last) if last is not None else t
    ivl = interval_days(s)
    return s, d, ivl, last + ivl * DAY


def days(*gaps):
    """A history at these day offsets, all rated as given by one letter."""
    return gaps


HISTORIES = [
    ("first_good", "G@0"),
    ("first_again", "A@0"),
    ("first_hard", "H@0"),
    ("first_easy", "E@0"),
    # The sequence the reference implementations pin (53.62691, 6.3574867).
    ("reference_again_then_five_good", "A@0 G@0 G@86400 G@345600 G@1036800 G@2851200"),
    ("same_day_good_twice", "G@0 G@7200"),
    ("same_day_again_after_good", "G@0 A@3600"),
    ("same_day_hard_never_lowers", "G@0 H@3600"),
    ("just_under_a_day_is_the_same_day", "G@0 G@86399"),
    ("a_full_day_is_a_long_term_review", "G@0 G@86400"),
    ("one_and_a_half_days_count_as_one", "G@0 G@129600"),
    ("good_on_time_three_times", "G@0 G@172800 G@1209600 G@4838400"),
    ("good_late", "G@0 G@2592000"),
    ("lapse_after_long_gap", "G@0 G@172800 G@1209600 A@8640000"),
    ("relearn_after_lapse", "G@0 G@172800 A@1209600 G@1296000 G@1555200"),
    ("hint_hard_then_good", "H@0 H@86400 G@345600"),
    ("again_again_again_difficulty_rises", "A@0 A@86400 A@172800 A@259200 A@345600 A@432000"),
    ("ten_easy_at_once_difficulty_floor", " ".join("E@0" for _ in range(10))),
    ("quiz_session_mixed_same_day", "A@0 A@60 G@120 G@600 H@900"),
    ("easy_every_interval_reaches_the_cap",
     "E@0 E@1555200 E@31104000 E@311040000 E@3110400000 E@31104000000"),
]


def main():
    print("# name\thistory\tstability\tdifficulty\tinterval_days\tdue_seconds")
    for name, history in HISTORIES:
        s, d, ivl, due = run(history)
        print(f"{name}\t{history}\t{s:.9g}\t{d:.9g}\t{ivl}\t{due}")


if __name__ == "__main__":
    main()
