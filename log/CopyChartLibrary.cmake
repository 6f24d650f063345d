# cmake -DLIBRARY=<node_modules> -DSTATS=<build>/resources/stats -DLEGEND=<legend css> -P CopyChartLibrary.cmake
set(chartist ${LIBRARY}/chartist/dist)
set(legend ${LIBRARY}/chartist-plugin-legend/chartist-plugin-legend.js)
if(NOT EXISTS ${chartist}/chartist.min.js OR NOT EXISTS ${chartist}/chartist.css OR NOT EXISTS ${legend})
  message(WARNING "The chart library is not installed (run scripts/install-chart-library): "
    "statistics pages will show no charts.")
  return()
endif()
file(MAKE_DIRECTORY ${STATS}/vt/plugins)
# "chartist.css" at the top is how the program finds the folder; the pages load the rest.
file(COPY_FILE ${chartist}/chartist.css ${STATS}/chartist.css ONLY_IF_DIFFERENT)
file(COPY_FILE ${chartist}/chartist.min.js ${STATS}/chartist.min.js ONLY_IF_DIFFERENT)
# The pages load this one style sheet; the legend's style (our own: the plug-in ships none)
# goes at its end.
file(READ ${chartist}/chartist.css style)
file(READ ${LEGEND} legendStyle)
file(WRITE ${STATS}/vt/chartist.css.new "${style}\n${legendStyle}")
file(COPY_FILE ${STATS}/vt/chartist.css.new ${STATS}/vt/chartist.css ONLY_IF_DIFFERENT)
file(REMOVE ${STATS}/vt/chartist.css.new)
file(COPY_FILE ${legend} ${STATS}/vt/plugins/chartist-plugin-legend.js ONLY_IF_DIFFERENT)
