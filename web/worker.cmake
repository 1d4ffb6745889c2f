# Writes the service worker: the list of the page's files, and a store named by their contents.
# cmake -DWEB_OUT=folder -DFILES=a,b,... -DTEMPLATE=service-worker.js -P worker.cmake
string(REPLACE "," ";" names "${FILES}")
list(SORT names)
set(WEB_FILES "./")
set(digests)
foreach(name ${names})
  file(SHA256 ${WEB_OUT}/${name} digest)
  string(APPEND digests "${digest}  ${name}\n")
  string(APPEND WEB_FILES " ${name}")
endforeach()
string(SHA256 WEB_FILES_HASH "${digests}")
string(SUBSTRING ${WEB_FILES_HASH} 0 16 WEB_FILES_HASH)
configure_file(${TEMPLATE} ${WEB_OUT}/service-worker.js @ONLY)
