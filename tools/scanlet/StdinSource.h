// Tags from standard input, one per line.
#ifndef STDIN_SOURCE_H
#define STDIN_SOURCE_H

#include "TagLineSplitter.h"
#include "TagSource.h"

class StdinSource : public TagSource {
public:
							StdinSource(const BMessenger& target,
								int fd = 0);

protected:
	virtual	status_t		_Open(BString& error);
	virtual	void			_Consume(const uint8* data, size_t size);
	virtual	void			_Finish();

private:
			void			_Pass(std::vector<BString>& tags);

			int				fInput;
			TagLineSplitter	fLines;
			int32			fReported;
};

#endif	// STDIN_SOURCE_H
