// The fixed words of the parameter-file syntax, shared by reader and writer.
#ifndef KORACORE_RCF_SYNTAX_H
#define KORACORE_RCF_SYNTAX_H

namespace rcf {

constexpr char kEndSection[] = "EndSect";
constexpr char kEndTarget[] = "EndTarget";
constexpr char kCommentStart[] = "//";

}  // namespace rcf

#endif
