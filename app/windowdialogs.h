#pragma once
// The dialogs the window opens, made by app/forms.cpp and handed to the window once they
// exist; the window owns them as their parent.

class TAboutBox;
class TBadAddrForm;
class TExpertsForm;
class THistoryDialog;
class TIconForm;
class TOKBottomDlg;
class TPhoneLinkDialog;
class TPrefForm;
class TUploadPlanDialog;

struct TWindowDialogs {
  TAboutBox* About = nullptr;
  TPrefForm* Pref = nullptr;
  TExpertsForm* Experts = nullptr;
  TOKBottomDlg* OKBottom = nullptr;
  TBadAddrForm* BadAddr = nullptr;
  TIconForm* Icons = nullptr;
  TUploadPlanDialog* UploadPlan = nullptr;
  THistoryDialog* History = nullptr;
  TPhoneLinkDialog* PhoneLink = nullptr;
};
