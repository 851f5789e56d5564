#pragma once

#include "importedstretches.h"

#include <QByteArray>

// The stretches of a sewer network from an EPA SWMM 5 input file (.inp):
// one per conduit of [CONDUITS], in the file's order, named as the conduit,
// its length the conduit's Length.
// - P at each end is the depth of the conduit's invert below the node's
//   ground plus the pipe's wall. The ground is the node's Elevation plus
//   its MaxDepth, from [JUNCTIONS] or [STORAGE]; an outfall, a divider or a
//   MaxDepth of 0 gives none, and that P is left to the user. The offsets
//   are heights above the node's invert (LINK_OFFSETS DEPTH, the default)
//   or elevations (ELEVATION); "*" puts the conduit's invert at the node's.
// - A CIRCULAR or FORCE_MAIN conduit gives D, its Geom1 (the inside
//   diameter) plus twice the wall, and DN, Geom1 in millimetres; another
//   shape leaves both to the user.
// - FLOW_UNITS CFS (SWMM's default), GPM or MGD mean feet: lengths, levels
//   and diameters are converted to metres. The wall is in metres.
// The user is told of each stretch with a value to write or more than one
// barrel, and of each conduit left out because a node of it is not in the
// file. Names and keywords are matched regardless of case, as SWMM matches
// them; comments after ";" and the sections the import does not need are
// read past. A line it needs that cannot be read refuses the whole file.

ImportResult readSwmmModel(const QByteArray &bytes, double wall);
