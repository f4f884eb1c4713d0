# Writes the page's service worker (cmake -P): -Dtemplate= (sw.js.in),
# -Dsite= (the served folder), its cache named after the files it keeps.
set(sum "")
# The faces fetched for one language only are kept as they are first fetched.
file(GLOB faces RELATIVE ${site} ${site}/fonts/*)
list(SORT faces)
foreach(name index.html corvane.js corvane.wasm corvane.data manifest.webmanifest icon-192.png icon-512.png ${faces})
    file(SHA256 ${site}/${name} one)
    string(APPEND sum ${one})
endforeach()
string(SHA256 VERSION "${sum}")
string(SUBSTRING ${VERSION} 0 16 VERSION)
configure_file(${template} ${site}/sw.js @ONLY)
