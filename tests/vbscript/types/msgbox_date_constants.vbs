' The MsgBox and date constants, named under Option Explicit so that a missing one is an error
' rather than an Empty variable.
Option Explicit
WScript.Echo vbOKOnly, vbOKCancel, vbAbortRetryIgnore, vbYesNoCancel, vbYesNo, vbRetryCancel
WScript.Echo vbCritical, vbQuestion, vbExclamation, vbInformation
WScript.Echo vbDefaultButton1, vbDefaultButton2, vbDefaultButton3, vbDefaultButton4
WScript.Echo vbApplicationModal, vbSystemModal, vbMsgBoxHelpButton, vbMsgBoxSetForeground, _
    vbMsgBoxRight, vbMsgBoxRtlReading
WScript.Echo vbOK, vbCancel, vbAbort, vbRetry, vbIgnore, vbYes, vbNo
WScript.Echo vbUseSystem, vbUseSystemDayOfWeek, vbFirstJan1, vbFirstFourDays, vbFirstFullWeek
' Flags combine with Or into the buttons argument.
WScript.Echo vbYesNo Or vbQuestion Or vbDefaultButton2 Or vbMsgBoxSetForeground
WScript.Echo DatePart("ww", #2024-01-07#, vbSunday, vbUseSystem), Weekday(#2024-01-07#, vbUseSystem)
