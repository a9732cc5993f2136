#include "base/Notices.h"

const char* toString(MsgKind kind)
{
    switch (kind) {
    case MsgKind::Information: return "Information";
    case MsgKind::Warning: return "Warning";
    case MsgKind::Error: return "Error";
    case MsgKind::Confirmation: return "Confirmation";
    }
    return "?";
}

const char* toString(UiEvent event)
{
    switch (event) {
    case UiEvent::CommandsChanged: return "CommandsChanged";
    case UiEvent::CaptionChanged: return "CaptionChanged";
    case UiEvent::ReportChanged: return "ReportChanged";
    case UiEvent::BarsChanged: return "BarsChanged";
    case UiEvent::ViewLastNChanged: return "ViewLastNChanged";
    case UiEvent::ProblemLoaded: return "ProblemLoaded";
    case UiEvent::ProblemViewsHidden: return "ProblemViewsHidden";
    case UiEvent::SolutionPhaseShown: return "SolutionPhaseShown";
    case UiEvent::BasketChartChanged: return "BasketChartChanged";
    case UiEvent::BasketChartShown: return "BasketChartShown";
    case UiEvent::BasketValuesChanged: return "BasketValuesChanged";
    case UiEvent::BasketViewsShown: return "BasketViewsShown";
    case UiEvent::WeightSpaceChanged: return "WeightSpaceChanged";
    case UiEvent::WeightSpaceHidden: return "WeightSpaceHidden";
    case UiEvent::WeightSpaceShown: return "WeightSpaceShown";
    case UiEvent::IcwIterationDrawn: return "IcwIterationDrawn";
    case UiEvent::ContractedConeChanged: return "ContractedConeChanged";
    case UiEvent::ContractedConeHidden: return "ContractedConeHidden";
    case UiEvent::RacePanelChanged: return "RacePanelChanged";
    }
    return "?";
}
