# The Kelvora sheet functions for LibreOffice Calc: a Python UNO add-in over the kelvora module.
# KELVORA gives one property of a state (or an array of them for ranges), KELVORAERROR the reason
# for each error KELVORA gives, KELVORAPROPS the property catalogue. Numbers are the module's,
# which are those of kelvora-cli, to the last bit.
import math
import struct

import kelvora
import unohelper
from example.vantrel.kelvora import XCalcFunctions

IMPLEMENTATION = "example.vantrel.kelvora.CalcFunctions"

# Calc keeps an error in a cell as a NaN whose low bits carry the error's code, and shows that
# code's own error value; a number handed back this way is an error cell, never a number.
INVALID_ARGUMENT = 502  # Err:502, a word Calc cannot know is wrong
NOT_A_NUMBER = 519  # #VALUE!
OUT_OF_RANGE = 503  # #NUM!
NO_CONVERGENCE = 523  # Err:523
NOT_AVAILABLE = 0x7FFF  # #N/A


def error_value(code):
    return struct.unpack("<d", struct.pack("<Q", 0x7FF8000000000000 | code))[0]


class Refusal(Exception):
    """An error of one cell or of the whole call: Calc's error code and the reason in words."""

    def __init__(self, code, reason):
        super().__init__(reason)
        self.code = code
        self.reason = reason


def quoted(text, longest=40):
    """A text in a message as kelvora-cli quotes it: at most 40 characters, then "...", with
    quotes and backslashes escaped and control characters as the hex of their UTF-8 bytes."""
    text = str(text)
    shown = []
    for ch in text[:longest]:
        if ord(ch) < 0x20 or 0x7F <= ord(ch) < 0xA0:
            shown.append("".join(f"\\x{byte:02x}" for byte in ch.encode()))
        else:
            shown.append("\\" + ch if ch in '"\\' else ch)
    return '"' + "".join(shown) + ("..." if len(text) > longest else "") + '"'


UNITS = ("si", "english", "iapws")
# The module computes on IAPWS-95 with the IAPS 1985 transport properties and takes no other
# choice yet; other words are refused rather than answered with these numbers.
FORMULATIONS = ("iapws95",)
TRANSPORTS = ("1985",)
PROPERTY_NAMES = " ".join(kelvora.properties)


def choice(value, default, allowed, what):
    """An optional word argument: missing or empty gives the default."""
    if value is None or value == "":
        return default
    if not isinstance(value, str) or value not in allowed:
        shown = value if isinstance(value, str) else repr(value)
        raise Refusal(
            INVALID_ARGUMENT, f"unknown {what} {quoted(shown)}; use one of {' '.join(allowed)}"
        )
    return value


def grid(values):
    """A range argument as rows of cells; a single cell comes as one row of one."""
    return [list(row) for row in values] or [[None]]


def broadcast_shape(a, b):
    rows = {len(a), len(b)}
    cols = {len(a[0]), len(b[0])}
    if len(rows - {1}) > 1 or len(cols - {1}) > 1:
        shapes = f"{len(a)}×{len(a[0])} and {len(b)}×{len(b[0])}"
        raise Refusal(NOT_AVAILABLE, f"A and B are ranges of different shapes: {shapes}")
    return max(rows), max(cols)


def cell_at(g, r, c):
    return g[r if len(g) > 1 else 0][c if len(g[0]) > 1 else 0]


def number(cell, argument):
    # Calc hands numbers (and dates, and booleans) over as floats; anything else is refused with
    # kelvora-cli's words for an argument that is not a number.
    if isinstance(cell, float) and not isinstance(cell, bool):
        return cell
    text = "" if cell is None else str(cell)
    raise Refusal(NOT_A_NUMBER, f"{argument} {quoted(text)}: Invalid number specified.")


def state_reason(status):
    return "no state: " + (
        "an input is invalid or out of range" if status == 1 else "the computation failed"
    )


def evaluate(prop, pair, a, b, units, formulation, transport):
    """The rows of KELVORA's answer: a float or a Refusal for each cell."""
    units = choice(units, "si", UNITS, "units")
    choice(formulation, "iapws95", FORMULATIONS, "formulation")
    choice(transport, "1985", TRANSPORTS, "transport")
    if prop not in kelvora.properties:
        raise Refusal(
            INVALID_ARGUMENT,
            f"unknown property {quoted(prop)}; use names from: {PROPERTY_NAMES}",
        )
    if len(a) == len(b) == 1 and len(a[0]) == len(b[0]) == 1:
        return [[single(prop, pair, a[0][0], b[0][0], units)]]
    a, b = grid(a), grid(b)
    rows, cols = broadcast_shape(a, b)

    cells = [[None] * cols for _ in range(rows)]
    wanted = []  # (row, column, a, b) of the cells whose inputs are numbers
    for r in range(rows):
        for c in range(cols):
            try:
                wanted.append((r, c, number(cell_at(a, r, c), "A"), number(cell_at(b, r, c), "B")))
            except Refusal as refusal:
                cells[r][c] = refusal
    if not wanted:
        return cells

    # One call for the whole range, which the module spreads over the cores when it is large.
    try:
        result = kelvora.state(
            pair, [w[2] for w in wanted], [w[3] for w in wanted], units=units, props=(prop,)
        )
    except ValueError as e:
        raise refused_pair(e, pair) from None
    for (r, c, _, _), value, status in zip(wanted, result[prop].tolist(), result.status.tolist()):
        cells[r][c] = cell_of(prop, status, value)
    return cells


def refused_pair(e, pair):
    # The module's list of pairs, in kelvora-cli's words.
    known = str(e).partition("use one of ")[2]
    if str(e).startswith("unknown pair") and known:
        return Refusal(
            INVALID_ARGUMENT, f"PAIR {quoted(pair)}: unknown input pair; use one of {known}"
        )
    return Refusal(INVALID_ARGUMENT, str(e))


def cell_of(prop, status, value):
    if status == 1:
        return Refusal(OUT_OF_RANGE, state_reason(status))
    if status != 0:
        return Refusal(NO_CONVERGENCE, state_reason(status))
    if not math.isfinite(value):
        return Refusal(NOT_AVAILABLE, f"{prop}: N/A for this state")
    return value


# The answers of single cells by (property, pair, a, b, units): a hard recalculation asks for
# each of them again. Emptied when full rather than kept in order.
ANSWERS = {}
ANSWERS_KEPT = 16384


def single(prop, pair, a, b, units):
    try:
        key = (prop, pair, number(a, "A"), number(b, "B"), units)
    except Refusal as refusal:
        return refusal
    cell = ANSWERS.get(key)
    if cell is None:
        try:
            state = kelvora.state(pair, key[2], key[3], units=units, props=(prop,))
            cell = cell_of(prop, 0, state[prop])
        except kelvora.StateError as e:
            cell = cell_of(prop, 1 if str(e).endswith("invalid or out of range") else 2, 0.0)
        except ValueError as e:
            raise refused_pair(e, pair) from None
        if len(ANSWERS) >= ANSWERS_KEPT:
            ANSWERS.clear()
        ANSWERS[key] = cell
    return cell


def answer(cells, shown):
    return tuple(tuple(shown(cell) for cell in row) for row in cells)


def as_number(cell):
    return error_value(cell.code) if isinstance(cell, Refusal) else cell


def as_reason(cell):
    return cell.reason if isinstance(cell, Refusal) else ""


class CalcFunctions(unohelper.Base, XCalcFunctions):
    def __init__(self, context):
        self.context = context

    def kelvora(self, prop, pair, a, b, units, formulation, transport):
        try:
            return answer(evaluate(prop, pair, a, b, units, formulation, transport), as_number)
        except Refusal as refusal:
            return ((error_value(refusal.code),),)

    def kelvoraerror(self, prop, pair, a, b, units, formulation, transport):
        try:
            return answer(evaluate(prop, pair, a, b, units, formulation, transport), as_reason)
        except Refusal as refusal:
            return ((refusal.reason,),)

    def kelvoraprops(self, units):
        try:
            units = choice(units, "si", UNITS, "units")
        except Refusal as refusal:
            return ((error_value(refusal.code),),)
        return tuple(
            (short, entry["name"], entry[units]) for short, entry in kelvora.properties.items()
        )


g_ImplementationHelper = unohelper.ImplementationHelper()
g_ImplementationHelper.addImplementation(
    CalcFunctions, IMPLEMENTATION, ("com.sun.star.sheet.AddIn",)
)
