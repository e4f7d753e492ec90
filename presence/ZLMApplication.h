// The application object: registers "application/Zelmora", makes the main
// window and hands every message it knows to it.
#ifndef ZLM_APPLICATION_H
#define ZLM_APPLICATION_H

#include <Application.h>

class ZLMWindow;

class ZLMApplication : public BApplication {
public:
							ZLMApplication();
	virtual					~ZLMApplication();
	virtual	void			MessageReceived(BMessage* message);

	// The main window while it exists (forgotten when it goes).
			ZLMWindow*		MainWindow() const;

protected:
	// An application without a main window yet, for a host that makes the
	// window itself (the tests).
							ZLMApplication(const char* signature);
			void			SetMainWindow(ZLMWindow* window)
								{ fWindow = window; }

private:
			ZLMWindow*		fWindow;
};

#endif	// ZLM_APPLICATION_H
