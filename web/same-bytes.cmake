# Emscripten's file packager writes into zarn.js the data file's absolute path and a random id.
# The page needs neither: the path only names the download while it runs, and the id only keys
# a cache in IndexedDB that this page does not use. Both become what any build of the same files
# gives, wherever and whenever it runs.
# cmake -DJS=zarn.js -DDATA=zarn.data -P same-bytes.cmake
file(READ ${JS} js)
file(SHA256 ${DATA} digest)
string(REGEX REPLACE "\"[^\"]*/zarn\\.data\"" "\"zarn.data\"" js "${js}")
string(REGEX REPLACE "datafile_[^\"']*/zarn\\.data" "datafile_zarn.data" js "${js}")
string(REGEX REPLACE "\"package_uuid\":\"[^\"]*\"" "\"package_uuid\":\"${digest}\"" js "${js}")
file(WRITE ${JS} "${js}")
