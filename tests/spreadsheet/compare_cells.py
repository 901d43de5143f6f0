"""Compares a CSV file as the calculator wrote it with the cells a spreadsheet
made of it, saved as a flat OpenDocument spreadsheet (.fods), cell by cell.

  compare_cells.py WRITTEN.csv READ_BACK.fods

A cell written as a plain decimal number must come back as that number (to
the 15 significant digits a sheet keeps), any other cell as exactly the text
written. A text cell must not start with a
character that other spreadsheets take for a formula whatever their import
settings (= + - @, a tab or a CR). Prints a line per difference; the exit
status is 1 when there is one."""

import csv
import re
import sys
import xml.etree.ElementTree as ET

TABLE = "urn:oasis:names:tc:opendocument:xmlns:table:1.0"
OFFICE = "urn:oasis:names:tc:opendocument:xmlns:office:1.0"
TEXT = "urn:oasis:names:tc:opendocument:xmlns:text:1.0"

# No superfluous leading zero: "011011" is a code, not the number 11011.
NUMBER = re.compile(r"-?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][-+]?[0-9]+)?")
FORMULA_STARTS = "=+-@\t\r"
MAX_DIGITS = 15


def q(name, space):
    return "{%s}%s" % (space, name)


def paragraph_text(element):
    """The text of a <text:p>, its space, tab and line-break elements
    turned back into characters."""
    out = [element.text or ""]
    for child in element:
        if child.tag == q("s", TEXT):
            out.append(" " * int(child.get(q("c", TEXT), "1")))
        elif child.tag == q("tab", TEXT):
            out.append("\t")
        elif child.tag == q("line-break", TEXT):
            out.append("\n")
        else:
            out.append(paragraph_text(child))
        out.append(child.tail or "")
    return "".join(out)


class Cell:
    def __init__(self, element):
        self.kind = element.get(q("value-type", OFFICE))
        self.formula = element.get(q("formula", TABLE))
        self.value = None
        for attribute in ("value", "date-value", "time-value", "boolean-value"):
            self.value = self.value or element.get(q(attribute, OFFICE))
        self.text = "\n".join(paragraph_text(p) for p in element.findall(q("p", TEXT)))

    def empty(self):
        return self.kind is None and self.formula is None and self.text == ""

    def __str__(self):
        described = "%s %r" % (self.kind or "empty", self.text)
        if self.value is not None:
            described += " (value %s)" % self.value
        if self.formula:
            described += " (formula %s)" % self.formula
        return described


def sheet_rows(path):
    """The first sheet's rows as lists of cells, without the empty rows and
    cells that fill the sheet after the last."""
    table = next(ET.parse(path).getroot().iter(q("table", TABLE)))
    rows = []
    empty_rows = 0  # counted, and added only when a row with cells follows
    for row in table.iter(q("table-row", TABLE)):
        cells = []
        for element in row:
            if element.tag not in (q("table-cell", TABLE), q("covered-table-cell", TABLE)):
                continue
            cell = Cell(element)
            repeat = int(element.get(q("number-columns-repeated", TABLE), "1"))
            cells.extend([cell] * (1 if cell.empty() else repeat))
        while cells and cells[-1].empty():
            cells.pop()
        repeat = int(row.get(q("number-rows-repeated", TABLE), "1"))
        if not cells:
            empty_rows += repeat
            continue
        rows.extend([[]] * empty_rows + [cells] * repeat)
        empty_rows = 0
    return rows


def compare(written_path, sheet_path):
    with open(written_path, newline="", encoding="utf-8") as f:
        written = list(csv.reader(f))
    rows = sheet_rows(sheet_path)
    differences = []
    name = written_path.rsplit("/", 1)[-1]

    def differ(r, c, message):
        differences.append("%s: row %d, column %d: %s" % (name, r + 1, c + 1, message))

    if len(rows) != len(written):
        differences.append("%s: %d rows written, %d in the sheet" % (name, len(written), len(rows)))
    for r, fields in enumerate(written):
        cells = rows[r] if r < len(rows) else []
        for c, field in enumerate(fields):
            cell = cells[c] if c < len(cells) else None
            got = str(cell) if cell else "an empty cell"
            if field == "":
                if cell and not cell.empty():
                    differ(r, c, "wrote nothing, the sheet has %s" % got)
            elif NUMBER.fullmatch(field):
                # A sheet keeps 15 significant digits: a fraction rounds in
                # its last places, a longer whole number loses whole digits.
                same = (cell and cell.kind == "float" and not cell.formula
                        and abs(float(cell.value) - float(field)) <= 1e-14 * abs(float(field)))
                if field.lstrip("-").isdigit() and len(field.lstrip("-")) > MAX_DIGITS:
                    differ(r, c, "wrote a whole number of %d digits, which no sheet keeps: %s"
                           % (len(field.lstrip("-")), field))
                elif not same:
                    differ(r, c, "wrote the number %s, the sheet has %s" % (field, got))
            else:
                if field[0] in FORMULA_STARTS:
                    differ(r, c, "text %r starts with %r, a formula to other spreadsheets" % (field, field[0]))
                if not (cell and cell.kind == "string" and not cell.formula and cell.text == field):
                    differ(r, c, "wrote the text %r, the sheet has %s" % (field, got))
        for c in range(len(fields), len(cells)):
            if not cells[c].empty():
                differ(r, c, "nothing written, the sheet has %s" % cells[c])
    return differences


def main():
    if len(sys.argv) != 3:
        print("usage: compare_cells.py WRITTEN.csv READ_BACK.fods", file=sys.stderr)
        return 2
    differences = compare(sys.argv[1], sys.argv[2])
    for line in differences:
        print(line)
    return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main())
