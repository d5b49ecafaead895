// The password box's text model: selection arithmetic, word moves, editing limits and the
// cell geometry that decides which symbols are visible.
#include <gtest/gtest.h>

#include "skinctrls/PasswordText.h"

namespace {

TspPasswordGeometry Geometry(int left, int width, int height, TAlignment align = taLeftJustify) {
    TspPasswordGeometry g;
    g.textRect = Bounds(left, 3, width, height);
    g.symbolWidth = height / 2 + 3;
    g.alignment = align;
    return g;
}

} // namespace

TEST(PasswordText, ShiftMovesExtendFromTheFixedEnd) {
    TspPasswordText t;
    t.SetText("hello world");
    t.MoveCaret(3, false);
    t.MoveCaret(5, true); // Shift+Right twice from 3
    EXPECT_EQ(t.NormalizedSelStart(), 3);
    EXPECT_EQ(t.SelCount(), 2);
    t.MoveCaret(1, true); // back past the anchor
    EXPECT_EQ(t.NormalizedSelStart(), 1);
    EXPECT_EQ(t.SelCount(), 2);
    EXPECT_EQ(t.SelectedText(), "el");
    t.MoveCaret(4, false);
    EXPECT_EQ(t.SelCount(), 0);
    EXPECT_EQ(t.NormalizedSelStart(), 4);
}

TEST(PasswordText, ShrinkingAWholeSelectionKeepsItInsideTheText) {
    // After select-all the caret sits at the end; Shift+Left must shrink the selection
    // from that end instead of running past the text.
    TspPasswordText t;
    t.SetText("secret");
    t.SelectAll();
    t.MoveCaret(t.Caret() - 1, true);
    EXPECT_EQ(t.NormalizedSelStart(), 0);
    EXPECT_EQ(t.SelCount(), 5);
    EXPECT_EQ(t.SelectedText(), "secre");
}

TEST(PasswordText, WordMoves) {
    TspPasswordText t;
    t.SetText("abc  def gh");
    t.MoveCaret(0, false);
    EXPECT_EQ(t.WordRight(), 5);
    t.MoveCaret(5, false);
    EXPECT_EQ(t.WordRight(), 9);
    t.MoveCaret(9, false);
    EXPECT_EQ(t.WordRight(), 11); // no further word: the end
    EXPECT_EQ(t.WordLeft(), 5);
    t.MoveCaret(5, false);
    EXPECT_EQ(t.WordLeft(), 0);
    // Trailing spaces: Ctrl+Right reaches the very end.
    t.SetText("ab   ");
    t.MoveCaret(2, false);
    EXPECT_EQ(t.WordRight(), 5);
    // Leading blanks are not a word boundary of their own.
    t.SetText("  ab");
    t.MoveCaret(0, false);
    EXPECT_EQ(t.WordRight(), 4);
}

TEST(PasswordText, DoubleClickSelectsWordWithTrailingSpaces) {
    TspPasswordText t;
    t.SetText("one two  three");
    t.MoveCaret(5, false);
    t.SelectWordAtCaret();
    EXPECT_EQ(t.NormalizedSelStart(), 4);
    EXPECT_EQ(t.SelCount(), 5);
    EXPECT_EQ(t.Caret(), 9);
    // Shift+Left then shrinks from the caret's end.
    t.MoveCaret(8, true);
    EXPECT_EQ(t.NormalizedSelStart(), 4);
    EXPECT_EQ(t.SelCount(), 4);
}

TEST(PasswordText, DeleteAndInsert) {
    TspPasswordText t;
    t.SetText("abcdef");
    t.MoveCaret(3, false);
    auto e = t.Delete(false);
    EXPECT_TRUE(e.changed);
    EXPECT_EQ(e.text, "abdef");
    EXPECT_EQ(e.caret, 2);
    e = t.Delete(true);
    EXPECT_EQ(e.text, "abcef");
    EXPECT_EQ(e.caret, 3);
    t.MoveCaret(0, false);
    EXPECT_FALSE(t.Delete(false).changed); // nothing before the caret
    t.MoveCaret(6, false);
    EXPECT_FALSE(t.Delete(true).changed);
    // A selection is removed whichever key deletes, the caret at its start.
    t.MoveCaret(1, false);
    t.MoveCaret(4, true);
    e = t.Delete(true);
    EXPECT_EQ(e.text, "aef");
    EXPECT_EQ(e.caret, 1);
    e = t.Insert("XY", 0);
    EXPECT_EQ(e.text, "aXYef");
    EXPECT_EQ(e.caret, 3);
}

TEST(PasswordText, MaxLengthRefusesWholeInsert) {
    TspPasswordText t;
    t.SetText("abc");
    t.MoveCaret(3, false);
    EXPECT_FALSE(t.Insert("de", 4).changed);
    EXPECT_TRUE(t.Insert("d", 4).changed);
    // Replacing a selection counts what remains.
    t.SelectAll();
    EXPECT_TRUE(t.Insert("wxyz", 4).changed);
    EXPECT_FALSE(t.Insert(std::string(1 << 20, 'p'), 4).changed);
    EXPECT_TRUE(t.Insert(std::string(1 << 20, 'p'), 0).changed);
}

TEST(PasswordText, CharCaseAndShorterTextClampsCaret) {
    TspPasswordText t;
    t.SetCharCase(ecUpperCase);
    EXPECT_TRUE(t.SetText("abc"));
    EXPECT_EQ(t.Text(), "ABC");
    EXPECT_FALSE(t.SetText("aBc")); // the same after conversion
    t.SelectAll();
    t.SetCharCase(ecNormal);
    t.SetText("z");
    EXPECT_EQ(t.Caret(), 1);
    EXPECT_LE(t.NormalizedSelStart() + t.SelCount(), 1);
}

TEST(PasswordText, CellsOfTheStoredSkinAreTenPixelsWide) {
    // A 15-pixel-high text rectangle: cells 15 / 2 + 3 = 10 wide.
    TspPasswordText t;
    t.SetText("abc");
    TspPasswordGeometry g = Geometry(2, 269, 15);
    EXPECT_EQ(g.symbolWidth, 10);
    EXPECT_EQ(t.CaretX(g, 0), 2);
    EXPECT_EQ(t.CaretX(g, 2), 22);
    EXPECT_EQ(t.IndexAt(g, 2 + 25), 2);
    EXPECT_EQ(t.IndexAt(g, -40), 0);
    EXPECT_EQ(t.IndexAt(g, 2000), 3);
    EXPECT_EQ(t.Cell(g, 1), Rect(12, 3, 22, 18));
}

TEST(PasswordText, AlignmentOffsetsOnlyWhileAllCellsFit) {
    TspPasswordText t;
    t.SetText("ab");
    EXPECT_EQ(t.Offset(Geometry(0, 100, 15, taRightJustify)), 80);
    EXPECT_EQ(t.Offset(Geometry(0, 100, 15, taCenter)), 40);
    EXPECT_EQ(t.Offset(Geometry(0, 100, 15, taLeftJustify)), 0);
    t.SetText(std::string(10, 'x')); // exactly the width
    EXPECT_EQ(t.Offset(Geometry(0, 100, 15, taCenter)), 0);
}

TEST(PasswordText, ScrollingKeepsTheCaretsCellInside) {
    TspPasswordText t;
    TspPasswordGeometry g = Geometry(0, 55, 15); // five whole cells of 10
    t.SetText(std::string(20, 'x'));
    t.MoveCaret(20, false);
    t.KeepCaretVisible(g);
    EXPECT_EQ(t.FirstVisible(), 16);
    int x = t.CaretX(g, 20);
    EXPECT_LE(x, g.textRect.Right);
    EXPECT_GT(x, g.textRect.Left);
    // Home: scrolls back to the start.
    t.MoveCaret(0, false);
    t.KeepCaretVisible(g);
    EXPECT_EQ(t.FirstVisible(), 1);
    // A caret left of the first visible character becomes the first one.
    t.SetFirstVisible(10);
    t.MoveCaret(5, false);
    t.KeepCaretVisible(g);
    EXPECT_EQ(t.FirstVisible(), 5);
}

TEST(PasswordText, MegabyteTextScrollsInOneStep) {
    TspPasswordText t;
    t.SetText(std::string(1 << 20, 'q'));
    t.MoveCaret(t.Length(), false);
    TspPasswordGeometry g = Geometry(0, 100, 15);
    t.KeepCaretVisible(g);
    EXPECT_EQ(t.FirstVisible(), (1 << 20) + 1 - 10);
    EXPECT_EQ(t.IndexAt(g, 99), t.FirstVisible() - 1 + 9);
}

TEST(PasswordText, SelectionRectIsClippedToTheTextRect) {
    TspPasswordText t;
    t.SetText(std::string(30, 'x'));
    TspPasswordGeometry g = Geometry(0, 50, 15);
    t.SelectAll();
    t.KeepCaretVisible(g);
    TRect sel = t.SelectionRect(g);
    EXPECT_EQ(sel.Left, 0);
    EXPECT_EQ(sel.Right, 50);
    t.ClearSelection();
    EXPECT_TRUE(t.SelectionRect(g).IsEmpty());
}

TEST(PasswordText, WordRightFromInsideABlankRun) {
    // The scan needs a word of its own before the blanks: from the middle of a blank run it
    // passes the next word.
    TspPasswordText t;
    t.SetText("abc  def gh");
    t.MoveCaret(4, false);
    EXPECT_EQ(t.WordRight(), 9);
}
