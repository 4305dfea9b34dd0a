' A scripting host creates the control by ProgID and uses it by name.
' Wine's script host exits 0 even on script errors, so success is a printed marker.
' Colours are OLE_COLOR (an unsigned Long), which this script engine cannot compare;
' the C++ client tests read them.
Option Explicit
Dim b, failures
failures = 0

Sub Check(what, actual, expected)
    If actual <> expected Then
        WScript.Echo "FAILED " & what & ": got " & actual & ", expected " & expected
        failures = failures + 1
    End If
End Sub

Set b = CreateObject("OrnisTovabel.Tovabel")
Check "Version", b.Version(), "1.0.0"
Check "new AlignCaption", b.AlignCaption, 1
Check "new AutoSize", b.AutoSize, True

b.Caption = "&Save"
Check "Caption", b.Caption, "&Save"
b.Style = 1
b.Checked = True
Check "Checked on a check button", b.Checked, True
b.Style = 0
Check "Checked after leaving the check style", b.Checked, False
b.Style = 6
b.AlignCaption = 3
Check "menu item alignment", b.AlignCaption, 2
b.URLMouseIcon = "hand.cur"
Check "custom pointer", b.MousePointer, 99
b.ToolTipText = "Saves the file"
Check "ToolTipText", b.ToolTipText, "Saves the file"

If failures = 0 Then WScript.Echo "TOVABEL-SCRIPT-OK"
