' VBScript.RegExp: Test, Execute, Matches, SubMatches, Replace.
Dim re, ms, m, s, re2
Set re = New RegExp
WScript.Echo TypeName(re), "[" & re.Pattern & "]", CStr(re.Global), CStr(re.IgnoreCase), CStr(re.Multiline)
re.Pattern = "\d+"
WScript.Echo CStr(re.Test("abc123")), CStr(re.Test("abc"))
Set ms = re.Execute("a1b22c333")
WScript.Echo TypeName(ms), ms.Count, ms(0).Value
re.Global = True
Set ms = re.Execute("a1b22c333")
WScript.Echo ms.Count, ms(1).Value, ms(1).FirstIndex, ms(1).Length, ms.Item(2).Value
WScript.Echo TypeName(ms(0)), ms(2)
s = ""
For Each m In ms
    s = s & m.Value & "@" & m.FirstIndex & " "
Next
WScript.Echo s
Set ms = re.Execute("none")
WScript.Echo ms.Count
re.Pattern = "(\w+)@(\w+)\.com"
Set ms = re.Execute("mail joe@site.com and ann@shop.com")
WScript.Echo ms.Count, ms(0).SubMatches.Count, ms(0).SubMatches(0), ms(0).SubMatches(1), ms(1).SubMatches(0)
re.Pattern = "\d"
WScript.Echo re.Replace("a1b2", "#")
re.Global = False
WScript.Echo re.Replace("a1b2", "#")
re.Global = True
re.Pattern = "(\w+) (\w+)"
WScript.Echo re.Replace("hello world", "$2 $1")
re.Pattern = "b"
WScript.Echo re.Replace("abc", "[$&]"), re.Replace("abc", "[$`]"), re.Replace("abc", "[$']"), re.Replace("abc", "$$")
re.Pattern = "HELLO"
WScript.Echo CStr(re.Test("say hello"))
re.IgnoreCase = True
WScript.Echo CStr(re.Test("say hello")), re.Replace("Hello HELLO", "bye")
re.Pattern = "^\w+"
re.IgnoreCase = False
WScript.Echo re.Execute("one" & vbLf & "two" & vbLf & "three").Count
re.Multiline = True
Set ms = re.Execute("one" & vbLf & "two" & vbLf & "three")
WScript.Echo ms.Count, ms(2).Value
Set re2 = CreateObject("VBScript.RegExp")
re2.Pattern = "^[A-Z][a-z]+$"
WScript.Echo TypeName(re2), CStr(re2.Test("Milano")), CStr(re2.Test("milano"))
re2.Pattern = "^\s*([^=]+?)\s*=\s*(.*)$"
Set m = re2.Execute("  name = Zanfira shop")(0)
WScript.Echo "[" & m.SubMatches(0) & "]", "[" & m.SubMatches(1) & "]"
re2.Pattern = "[aeiou]"
re2.Global = True
WScript.Echo re2.Replace("programming", "")
re2.Pattern = "<[^>]+>"
WScript.Echo re2.Replace("<b>bold</b> and <i>it</i>", "")
re2.Pattern = "\s+"
WScript.Echo re2.Replace("a   b" & vbTab & " c", " ")
re2.Pattern = "(\d{2})/(\d{2})/(\d{4})"
WScript.Echo re2.Replace("on 25/12/2023.", "$3-$2-$1")
On Error Resume Next
re2.Pattern = "(unclosed"
s = re2.Test("x")
WScript.Echo "bad pattern: " & CStr(Err.Number >= 5016 And Err.Number <= 5021)
Err.Clear
'@expect
' IRegExp2 [] False False False
' True False
' IMatchCollection2 1 1
' 3 22 2 2 333
' IMatch2 333
' 1@1 22@3 333@6 
' 0
' 2 2 joe site ann
' a#b#
' a#b2
' world hello
' a[b]c a[a]c a[c]c a$c
' False
' True bye bye
' 1
' 3 three
' IRegExp2 True False
' [name] [Zanfira shop]
' prgrmmng
' bold and it
' a b c
' on 2023-12-25.
' bad pattern: True
