// Translation between a data-file header and a catalogue record for the
// dtx* entry points (dtx_file.h). Internal to libkfs.
#ifndef KFS_LEGACY_DTX_MAPPING_H
#define KFS_LEGACY_DTX_MAPPING_H

#include "kfs/dfs/dfs_types.h"
#include "kfs/legacy/catalogue.h"

namespace kfs::dtx {

// Seconds per unit of a catalogue time-unit text, 0 for a text that names
// no time unit.
double secondsPerTimeUnit(const char* unit);

// A new header describing the data set (status 0, or the first failing
// status; *header is null then).
int headerFromCatalogue(const catRecord& cat, LPHEAD* header);

// Fills the numbers and texts of cat from the header; cat must come from
// newcat with the header's number of spatial axes (spatialAxesOf). 2010
// when the header does not fit the family.
int catalogueFromHeader(LPHEAD header, catRecord& cat);

// Number of spatial axes (0..4) of the header's common item axis, or -1
// when the items have no common equidistant axis.
int spatialAxesOf(LPHEAD header);

}  // namespace kfs::dtx

#endif
