// TRLData: reading and writing report-list files, strings and streams.
#include <istream>
#include <ostream>

#include "replist/RLData.h"
#include "vcl/SysUtils.h"

namespace QEL_replist {

void TRLData::AdoptDocument(TReplistDocument& Doc) {
    ReplaceStore(std::move(Doc.Cells));
    FNrOfCols = Doc.NrOfColumns;
    FNrOfRows = Doc.NrOfRows;
    FColName = std::move(Doc.ColNames);
    FColumnFormat = std::move(Doc.ColFormats);
    FColButMode = std::move(Doc.CheckModes);
    FCommonHeader = std::move(Doc.CommonHeader);
    FComment = std::move(Doc.Comment);
    // The new rows are in file order: a sort mark from before would lie.
    FSortColumnPrim = -1;
    FSortColumnSec = -1;
    UpdateFeedback();
    if (Strings->OnChange) Strings->OnChange(Strings.get());
}

bool TRLData::ReadFromXMLText(std::string_view Text, const std::string& DataID,
                              const TReplistLimits& Limits, size_t* Consumed) {
    auto Doc = ParseReplist(Text, DataID, Limits, [this](int Percent) { ReportPercent(Percent); });
    if (Consumed) *Consumed = Doc ? Doc->Consumed : Text.size();
    if (!Doc) return false;
    AdoptDocument(*Doc);
    return true;
}

bool TRLData::LoadFromXMLFile(const std::string& FName, const std::string& DataID) {
    const std::string Text = vcl::LoadTextFile(FName);
    return ReadFromXMLText(Text, DataID, TReplistLimits::ForInput(Text.size()));
}

bool TRLData::ReadFromXMLString(const std::string& InString, const std::string& DataID) {
    return ReadFromXMLText(InString, DataID, TReplistLimits::ForInput(InString.size()));
}

bool TRLData::ReadFromXMLStream(vcl::TStream& InStream, const std::string& DataID) {
    const int64_t Start = InStream.Position();
    const std::string Text = vcl::ReadAllText(InStream);
    size_t Consumed = 0;
    try {
        const bool Found =
            ReadFromXMLText(Text, DataID, TReplistLimits::ForInput(Text.size()), &Consumed);
        InStream.SetPosition(Start + static_cast<int64_t>(Consumed));
        return Found;
    } catch (...) {
        InStream.SetPosition(Start);
        throw;
    }
}

bool TRLData::ReadFromOpenXMLFile(std::istream& InFile, const std::string& DataID) {
    // Only the lines up to "</replist>" are taken from the file, so that the
    // caller can go on reading what follows.
    std::string Text;
    std::string Line;
    bool InList = false;
    while (std::getline(InFile, Line)) {
        Text += Line;
        Text += '\n';
        if (!InList) {
            InList = IsReplistHeader(Line, DataID);
        } else {
            const size_t First = Line.find_first_not_of(" \t");
            if (First != std::string::npos && Line.compare(First, 9, "</replist") == 0) break;
        }
    }
    if (InFile.bad()) throw vcl::EInOutError("Cannot read the report list file");
    return ReadFromXMLText(Text, DataID, TReplistLimits::ForInput(Text.size()));
}

bool TRLData::ReadFromOpenXMLFile(vcl::TextFile& InFile, const std::string& DataID) {
    // Eof also raises the platform's error for a file not open for reading.
    if (vcl::Eof(InFile)) return false;
    // An opened text file holds its whole content: the list is read in place
    // and the file's position moved past it.
    const std::string_view Rest = std::string_view(InFile.Buffer).substr(InFile.Pos);
    size_t Consumed = 0;
    const bool Found =
        ReadFromXMLText(Rest, DataID, TReplistLimits::ForInput(Rest.size()), &Consumed);
    InFile.Pos += Consumed;
    return Found;
}

std::string TRLData::XMLText(bool CreateHeader, const std::string& DataID) {
    std::string Text;
    AppendReplist(Text, *this, CreateHeader, DataID,
                  [this](int Percent) { ReportPercent(Percent); });
    return Text;
}

void TRLData::SaveAsXMLFile(const std::string& FName, const std::string& DataID) {
    vcl::SaveTextFile(FName, XMLText(true, DataID));
}

void TRLData::WriteToXMLStream(vcl::TStream& OutStream, bool CreateHeader,
                               const std::string& DataID) {
    const std::string Text = XMLText(CreateHeader, DataID);
    OutStream.WriteBuffer(Text.data(), static_cast<int64_t>(Text.size()));
}

void TRLData::WriteToOpenXMLFile(std::ostream& OutFile, bool CreateHeader,
                                 const std::string& DataID) {
    const std::string Text = XMLText(CreateHeader, DataID);
    OutFile.write(Text.data(), static_cast<std::streamsize>(Text.size()));
    if (!OutFile) throw vcl::EInOutError("Cannot write the report list file");
}

void TRLData::WriteToOpenXMLFile(vcl::TextFile& OutFile, bool CreateHeader,
                                 const std::string& DataID) {
    vcl::Write(OutFile, XMLText(CreateHeader, DataID));
}

}  // namespace QEL_replist
