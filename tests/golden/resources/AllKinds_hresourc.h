#ifndef hresourc_h
#define hresourc_h

//==========================================================================
// HRESOURC.H
// Resource Header file for Tessaline Auto-Generated Block DLL              
// Tessaline Blockwright generated include file.
//===========================================================================


//--------------------------------------------------------------------------
//                       USER PARAMETERS' STRING IDC's                      
//--------------------------------------------------------------------------
#define IDC_STRING_COUNT                            51
#define IDC_STRING_GAIN                             52
#define IDC_STRING_SAMPLERATE                       53
#define IDC_STRING_LETTER                           54
#define IDC_STRING_TOTAL                            55
#define IDC_STRING_SMALL                            56
#define IDC_STRING_MASK                             57
#define IDC_STRING_TITLE                            58
#define IDC_STRING_ENABLE                           59
#define IDC_STRING_SIDE                             60
#define IDC_STRING_WINDOW                           61
#define IDC_STRING_MODE                             62
#define IDC_STRING_DATAFILE                         63
#define IDC_STRING_DATAFILE_PATHNAME                64
#define IDC_STRING_CUSTOM                           65

//--------------------------------------------------------------------------
//                        USER PARAMETERS' EDIT IDC's                       
//--------------------------------------------------------------------------
#define IDC_EDIT_COUNT                              201
#define IDC_EDIT_GAIN                               202
#define IDC_EDIT_SAMPLERATE                         IDC_SAMPFREQ
#define IDC_EDIT_LETTER                             204
#define IDC_EDIT_TOTAL                              205
#define IDC_EDIT_SMALL                              206
#define IDC_EDIT_MASK                               207
#define IDC_EDIT_TITLE                              208
#define IDC_EDIT_DATAFILE                           209
#define IDC_EDIT_DATAFILE_PATHNAME                  210
#define IDC_EDIT_DATAFILE_COMPLETENAME              211

//--------------------------------------------------------------------------
//                  USER PARAMETERS' VARIABLE LIST IDC's                    
//--------------------------------------------------------------------------
#define IDC_VAR_COUNT                               212
#define IDC_VAR_GAIN                                213
#define IDC_VAR_SAMPLERATE                          214
#define IDC_VAR_LETTER                              215
#define IDC_VAR_TOTAL                               216
#define IDC_VAR_SMALL                               217
#define IDC_VAR_MASK                                218
#define IDC_VAR_TITLE                               219
#define IDC_VAR_DATAFILE                            220
#define IDC_VAR_DATAFILE_PATHNAME                   221
#define IDC_VAR_DATAFILE_COMPLETENAME               222

//--------------------------------------------------------------------------
//                    USER PARAMETERS' RADIO BUTTON IDC's                   
//--------------------------------------------------------------------------
#define IDC_RADIO_ENABLE                            301
#define IDC_RADIO_ENABLE_NO                         302
#define IDC_RADIO_ENABLE_YES                        303
#define IDC_RADIO_SIDE                              304
#define IDC_RADIO_SIDE_LEFT                         305
#define IDC_RADIO_SIDE_RIGHT                        306
#define IDC_RADIO_WINDOW                            307
#define IDC_RADIO_WINDOW_HANN                       308
#define IDC_RADIO_WINDOW_HAMMING                    309
#define IDC_RADIO_WINDOW_BLACKMAN                   310
 
//--------------------------------------------------------------------------
//                     USER PARAMETERS' COMBO BOX IDC's                     
//--------------------------------------------------------------------------
#define IDC_COMBO_MODE                              402
 
//--------------------------------------------------------------------------
//                     USER PARAMETERS' CHECK BOX IDC's                     
//--------------------------------------------------------------------------
#define IDC_CHECK_HOLD                              501
 
//--------------------------------------------------------------------------
//                     USER PARAMETERS' FILE BROWSE IDC's                   
//--------------------------------------------------------------------------
#define IDBROWSE_DATAFILE                           604

#define IDC_STATIC                                  -1


#endif
