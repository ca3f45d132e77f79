' VBScript.RegExp: Test, Execute, Matches, SubMatches, Replace.
Dim re, ms, m, s, re2
Set re = New RegExp
WScript.Echo TypeName(re), "[" & re.Pattern & "]", CStr(re.Global), CStr(re.IgnoreCase), CStr(re.Multiline)
' expect: IRegExp2 [] False False False
re.Pattern = "\d+"
WScript.Echo CStr(re.Test("abc123")), CStr(re.Test("abc"))
' expect: True False
Set ms = re.Execute("a1b22c333")
WScript.Echo TypeName(ms), ms.Count, ms(0).Value
' expect: IMatchCollection2 1 1
re.Global = True
Set ms = re.Execute("a1b22c333")
WScript.Echo ms.Count, ms(1).Value, ms(1).FirstIndex, ms(1).Length, ms.Item(2).Value
' expect: 3 22 3 2 333
WScript.Echo TypeName(ms(0)), ms(2)
' expect: IMatch2 333
s = ""
For Each m In ms
    s = s & m.Value & "@" & m.FirstIndex & " "
Next
WScript.Echo s
' expect: 1@1 22@3 333@6 
Set ms = re.Execute("none")
WScript.Echo ms.Count
' expect: 0
re.Pattern = "(\w+)@(\w+)\.com"
Set ms = re.Execute("mail joe@site.com and ann@shop.com")
WScript.Echo ms.Count, ms(0).SubMatches.Count, ms(0).SubMatches(0), ms(0).SubMatches(1), ms(1).SubMatches(0)
' expect: 2 2 joe site ann
re.Pattern = "\d"
WScript.Echo re.Replace("a1b2", "#")
' expect: a#b#
re.Global = False
WScript.Echo re.Replace("a1b2", "#")
' expect: a#b2
re.Global = True
re.Pattern = "(\w+) (\w+)"
WScript.Echo re.Replace("hello world", "$2 $1")
' expect: world hello
re.Pattern = "b"
WScript.Echo re.Replace("abc", "[$&]"), re.Replace("abc", "[$`]"), re.Replace("abc", "[$']"), re.Replace("abc", "$$")
' expect: a[b]c a[a]c a[c]c a$c
re.Pattern = "HELLO"
WScript.Echo CStr(re.Test("say hello"))
' expect: False
re.IgnoreCase = True
WScript.Echo CStr(re.Test("say hello")), re.Replace("Hello HELLO", "bye")
' expect: True bye bye
re.Pattern = "^\w+"
re.IgnoreCase = False
WScript.Echo re.Execute("one" & vbLf & "two" & vbLf & "three").Count
' expect: 1
re.Multiline = True
Set ms = re.Execute("one" & vbLf & "two" & vbLf & "three")
WScript.Echo ms.Count, ms(2).Value
' expect: 3 three
Set re2 = CreateObject("VBScript.RegExp")
re2.Pattern = "^[A-Z][a-z]+$"
WScript.Echo TypeName(re2), CStr(re2.Test("Milano")), CStr(re2.Test("milano"))
' expect: IRegExp2 True False
re2.Pattern = "^\s*([^=]+?)\s*=\s*(.*)$"
Set m = re2.Execute("  name = Zanfira shop")(0)
WScript.Echo "[" & m.SubMatches(0) & "]", "[" & m.SubMatches(1) & "]"
' expect: [name] [Zanfira shop]
re2.Pattern = "[aeiou]"
re2.Global = True
WScript.Echo re2.Replace("programming", "")
' expect: prgrmmng
re2.Pattern = "<[^>]+>"
WScript.Echo re2.Replace("<b>bold</b> and <i>it</i>", "")
' expect: bold and it
re2.Pattern = "\s+"
WScript.Echo re2.Replace("a   b" & vbTab & " c", " ")
' expect: a b c
re2.Pattern = "(\d{2})/(\d{2})/(\d{4})"
WScript.Echo re2.Replace("on 25/12/2023.", "$3-$2-$1")
' expect: on 2023-12-25.
On Error Resume Next
re2.Pattern = "(unclosed"
s = re2.Test("x")
WScript.Echo "bad pattern: " & CStr(Err.Number >= 5016 And Err.Number <= 5021)
' expect: bad pattern: True
Err.Clear
