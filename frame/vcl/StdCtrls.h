// Standard controls: the single-line edit.
//
// TCustomEdit keeps its text (UTF-8) in the control's Text; positions and
// lengths (SelStart, SelLength, MaxLength) count characters (code points),
// never bytes, so a caret never stands inside a character. Every change of
// the text, by typing, by the clipboard or by code, ends in Change, which
// fires OnChange; setting Text to the text it already holds changes nothing.
//
// Keys: printable characters type (replacing the selection); Backspace and
// Delete remove a character or the selection; Left, Right, Home and End move
// the caret, with Shift extending the selection; Ctrl+A selects all, Ctrl+C,
// Ctrl+X and Ctrl+V use the clipboard, Ctrl+Z undoes the last change. A
// read-only edit moves its caret and copies but does not change.
#pragma once

#include <cstdint>
#include <string>

#include "vcl/Controls.h"

namespace vcl {

// Drawn by the layer itself, so it stands on TCustomControl's canvas.
class TCustomEdit : public TCustomControl {
public:
    explicit TCustomEdit(TComponent* AOwner);
    std::string ClassName() const override { return "TCustomEdit"; }

    // Caret and selection, in characters: the selection is the SelLength
    // characters after SelStart; the caret stands at its active end.
    int SelStart() const;
    void SetSelStart(int Value);
    int SelLength() const;
    void SetSelLength(int Value);
    std::string SelText() const;
    // Replaces the selection with Value (a change like typing).
    void SetSelText(const std::string& Value);
    void SelectAll();
    void ClearSelection();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void Undo();
    bool CanUndo() const { return FUndoText != Text(); }
    void Clear() { SetText(""); }

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    // 0 means no limit.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    // Selects the whole text when the edit receives the focus.
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool Value) { FAutoSelect = Value; }
    // Keeps the height at the font's text height plus the border.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool Value);
    bool ParentCtl3D() const { return FParentCtl3D; }
    void SetParentCtl3D(bool Value) { FParentCtl3D = Value; }

    TNotifyEvent OnChange;

protected:
    // Called after every change of the text; fires OnChange.
    virtual void Change();
    void TextChanged() override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    void WMGetDlgCode(TMessage& Message) override;
    void Paint() override;

private:
    int Length() const;
    // Replaces characters [From, To) with Insert and puts the caret after it.
    void ReplaceRange(int From, int To, const std::string& Insert);
    void MoveCaret(int Pos, bool Extend);
    int CharPosAt(int X);
    int TextLeft(int TextWidth) const;
    void AdjustHeight();

    int FAnchor = 0;  // the fixed end of the selection
    int FCaret = 0;   // the moving end, where the caret stands
    bool FReadOnly = false;
    int FMaxLength = 0;
    bool FAutoSelect = true;
    bool FAutoSize = true;
    TBorderStyle FBorderStyle = bsSingle;
    bool FHideSelection = true;
    TAlignment FAlignment = taLeftJustify;
    bool FCtl3D = true;
    bool FParentCtl3D = true;
    std::string FUndoText;
    bool FSelecting = false;
    // Texts set by the edit's own editing keep their caret; texts set by
    // code put the caret at the start.
    bool FEditing = false;
};

}  // namespace vcl
