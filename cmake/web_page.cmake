# Writes the web page from the shell (cmake -P): -Dshell=, -Dpage=, and
# either -Dscript= (the program's script, fetched beside the page) or
# -Dinline= (the program's script, written into the page, with the
# Chinese, Japanese and Korean faces inside it too).
file(READ ${shell} html)
if(DEFINED inline)
    file(READ ${inline} code)
    # Nothing in the script may end the element early.
    string(REPLACE "</script" "<\\/script" code "${code}")
    set(tag "<script>\n${code}\n</script>")
else()
    set(tag "<script async src=\"${script}\"></script>")
endif()
string(REPLACE "{{{ SCRIPT }}}" "${tag}" html "${html}")
if(DEFINED inline)
    string(REPLACE "{{{ FACES_INSIDE }}}" "true" html "${html}")
else()
    string(REPLACE "{{{ FACES_INSIDE }}}" "false" html "${html}")
endif()
file(WRITE ${page} "${html}")
